// Start-up figures: reading a 100,000-line images.db, and building the main window with a list
// of 10,000 pictures until it is shown. Prints medians of several runs.
#include "app/Picture1.h"
#include "app/UserDialogsQt.h"
#include "app/platform/PlatformLinux.h"
#include "imagelist/ImagesDb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeList(const QString& path, const QString& first, int count) {
    QStringList entries{first};
    for (int i = 1; i < count; ++i)
        entries.append(
            QStringLiteral("/home/user/Pictures/holiday %1/IMG_%2.jpg").arg(i % 97).arg(i));
    writeImagesDb(path, entries);
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("TESSARY_DESKTOP", "none");
    QApplication app(argc, argv);

    const QString dbPath = home.filePath(QStringLiteral("big.db"));
    writeList(dbPath, QStringLiteral("/first.jpg"), 100000);
    std::vector<double> readMs;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QStringList entries = readImagesDb(dbPath);
        readMs.push_back(timer.nsecsElapsed() / 1e6);
        if (entries.size() != 100000)
            return 1;
    }
    std::printf("read images.db of 100,000 lines: median %.1f ms (target < 200 ms)\n",
                median(readMs));

    PlatformLinux platform;
    UserDialogsQt dialogs;
    const QString picture = home.filePath(QStringLiteral("first.bmp"));
    QImage(640, 480, QImage::Format_RGB888).save(picture, "BMP");
    writeList(platform.dataFolder() + QStringLiteral("/images.db"), picture, 10000);
    std::vector<double> startMs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        TForm1 form(platform, dialogs);
        QApplication::processEvents();
        startMs.push_back(timer.nsecsElapsed() / 1e6);
        if (form.ImageList.count() != 10000 || !form.isVisible())
            return 1;
    }
    std::printf("main window with 10,000 pictures shown: median %.1f ms (target < 500 ms)\n",
                median(startMs));
    return 0;
}
