// Writes the program icon, drawn by the same code as the window and tray icon, as the files an
// icon theme installs: PNGs at the usual sizes and a scalable SVG.
// Usage: write_icons OUTPUT_FOLDER ICON_NAME
#include "app/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool fail(const QString& text) {
    std::fprintf(stderr, "write_icons: %s\n", qPrintable(text));
    return false;
}

bool writePng(const QString& folder, const QString& name, int size) {
    const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("cannot create %1").arg(dir));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Artwork::paintProgramIcon(painter, size);
    }
    const QString file = dir + u'/' + name + QStringLiteral(".png");
    return image.save(file, "PNG") || fail(QStringLiteral("cannot write %1").arg(file));
}

bool writeSvg(const QString& folder, const QString& name) {
    const QString dir = folder + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("cannot create %1").arg(dir));
    // Drawn at the largest bitmap size: the shapes are the same, only the units differ.
    constexpr int Size = 256;
    const QString file = dir + u'/' + name + QStringLiteral(".svg");
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(Size, Size));
    svg.setViewBox(QRect(0, 0, Size, Size));
    // Its width and height are written in millimetres: at the usual 96 dpi, 256 pixels.
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Tessary"));
    {
        QPainter painter;
        if (!painter.begin(&svg))
            return fail(QStringLiteral("cannot write %1").arg(file));
        Artwork::paintProgramIcon(painter, Size);
    }
    return QFileInfo(file).size() > 0 || fail(QStringLiteral("cannot write %1").arg(file));
}

} // namespace

int main(int argc, char* argv[]) {
    // Drawing needs no screen: a build machine has none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_icons OUTPUT_FOLDER ICON_NAME\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256})
        ok = writePng(folder, name, size) && ok;
    ok = writeSvg(folder, name) && ok;
    return ok ? 0 : 1;
}
