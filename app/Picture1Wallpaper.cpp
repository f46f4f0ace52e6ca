// Pictures and the wallpaper.
#include "app/Picture1.h"

#include "app/PreviewImage.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PlacementRule.h"
#include "wallpaper/PlacementWords.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

#include <cstring>
#include <vector>

#include <malloc.h>

namespace {

// The picture reduced by picking the nearest pixel, with no working copy of the picture.
QImage sampledPicture(const QImage& picture, QSize size) {
    if (picture.format() != QImage::Format_BGR888)
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage copy(size, QImage::Format_BGR888);
    if (copy.isNull())
        return copy;
    // Where each column comes from, worked out once for every row.
    std::vector<qsizetype> from(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        from[size_t(x)] = qsizetype(qint64(x) * picture.width() / size.width() * 3);
    for (int y = 0; y < size.height(); ++y) {
        const uchar* in = picture.constScanLine(int(qint64(y) * picture.height() / size.height()));
        uchar* out = copy.scanLine(y);
        for (const qsizetype at : from) {
            std::memcpy(out, in + at, 3);
            out += 3;
        }
    }
    return copy;
}

} // namespace

void TForm1::ApplyImage(const QString& path) {
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QString fileType;
    // The picture on display must not stay whole in memory beside the one being decoded.
    releaseFullPicture();
    // Decoding finishes before anything is shown, so a failure leaves the display as it was.
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".JPG") ||
        extension == QLatin1String(".jpeg") || extension == QLatin1String(".JPEG")) {
        preview = loadJpeg(path);
        m_pictureSource = {path, true, false, {}};
        fileType = QStringLiteral("JPEG");
        Image1->setImage(preview);
    } else if (extension == QLatin1String(".bmp") || extension == QLatin1String(".BMP")) {
        preview = loadBmp(path);
        m_pictureSource = {path, false, false, {}};
        fileType = QStringLiteral("Bitmap");
        Image1->setImage(preview);
    }
    if (!fileType.isEmpty())
        Label9->hide();
    releaseFullPictureLater();
    setWindowTitle(QStringLiteral("Tessary - %1 (%2/%3)")
                       .arg(name)
                       .arg(ImageList.indexOf(path) + 1)
                       .arg(ImageList.count()));
    Image1->setToolTip(name);
    Label5->setText(fileType);
    Label7->setText(QStringLiteral("%1 x %2").arg(preview.width()).arg(preview.height()));
}

void TForm1::SetAsWallpaper(const QString& position) {
    const DesktopStyle style = styleForWord(position);
    // Without a picture there is nothing to write; stop before the desktop values change.
    if (preview.isNull())
        throw AppError(tr("There is no picture to set as wallpaper."));
    releaseFullPictureLater();
    const QImage& picture = fullPicture();
    Registry& registry = m_platform.registry();
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle"),
                         style.wallpaperStyle);
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper"),
                         style.tileWallpaper);
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("Wallpaper"), WallpaperFile);
    saveBmp(picture, WallpaperFile);
    m_platform.setWallpaperPicture(WallpaperFile, m_determining, picture);
}

void TForm1::DeterminePos() {
    const QScopedValueRollback<bool> determining(m_determining, true);
    const QSize size = pictureSize();
    const PlacementDecision decision = decidePlacement(size, m_platform.screenSize());
    if (decision.viaSizeFix)
        SizeFix(size.height(), size.width());
    else
        SetAsWallpaper(decision.word);
}

void TForm1::SizeFix(double height, double width) {
    if (const std::optional<QSize> size = sizeFixTarget(height, width, m_platform.screenSize())) {
        releaseFullPictureLater();
        const bool fromJpeg = m_pictureSource.jpeg && !m_pictureSource.path.isEmpty();
        const QImage& full = fullPicture();
        // Only a JPEG's picture was ever scaled from 24 bits: any other (a BMP, an earlier
        // copy) from Qt's 32, whose scaler rounds differently. Keep each one's result.
        QImage scaled = scaledPicture(!fromJpeg && full.format() == QImage::Format_BGR888
                                          ? full.convertToFormat(QImage::Format_RGB32)
                                          : full,
                                      *size);
        if (scaled.isNull())
            throw AppError(tr("Cannot scale the picture to %1 x %2 pixels.")
                               .arg(size->width())
                               .arg(size->height()));
        // The copy is what the preview holds from now on: there is no file to decode it from.
        preview = std::move(scaled);
        m_pictureSource = {};
        Image1->setImage(preview);
    }
    SetAsWallpaper(QStringLiteral("Center"));
}

void TForm1::Determine1Click() {
    DeterminePos();
}

void TForm1::Centered1Click() {
    SetAsWallpaper(QStringLiteral("Center"));
}

void TForm1::Tiled1Click() {
    SetAsWallpaper(QStringLiteral("Tile"));
}

void TForm1::Stretched1Click() {
    SetAsWallpaper(QStringLiteral("Stretch"));
}

const QImage& TForm1::fullPicture() {
    if (m_pictureSource.released) {
        QImage picture =
            m_pictureSource.jpeg ? loadJpeg(m_pictureSource.path) : loadBmp(m_pictureSource.path);
        // The preview widget keeps showing the copy, which looks the same.
        preview = std::move(picture);
        m_pictureSource.released = false;
    }
    return preview;
}

QSize TForm1::pictureSize() const {
    return m_pictureSource.released ? m_pictureSource.size : preview.size();
}

void TForm1::releaseFullPictureLater() {
    if (!m_releaseTimer) {
        m_releaseTimer = new QTimer(this);
        m_releaseTimer->setSingleShot(true);
        m_releaseTimer->setInterval(0);
        connect(m_releaseTimer, &QTimer::timeout, this, [this] { releaseFullPicture(); });
    }
    m_releaseTimer->start();
}

void TForm1::releaseFullPicture() {
    if (m_pictureSource.path.isEmpty() || m_pictureSource.released)
        return;
    const QSize screen = m_platform.screenSize();
    const QSize fitted = preview.size().scaled(screen, Qt::KeepAspectRatio);
    if (preview.width() <= screen.width() && preview.height() <= screen.height())
        return;
    // Reused when the picture was decoded again for a command: the widget still shows it. The
    // widget smooths the copy down to its own size as it did the picture (which it first
    // sampled down to twice that size), so sampling is enough here; a full pass of averaging
    // over a large picture would cost as much as a fifth of its decoding at every pick.
    QImage copy =
        Image1->image().size() == fitted ? Image1->image() : sampledPicture(preview, fitted);
    if (copy.isNull())
        return;
    m_pictureSource.size = preview.size();
    m_pictureSource.released = true;
    preview = std::move(copy);
    Image1->setImage(preview);
    // The picture's memory came in blocks the allocator may keep; give them back.
    malloc_trim(0);
}
