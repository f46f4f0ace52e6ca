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

void TForm1::ApplyImage(const QString& path) {
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QString fileType;
    // Decoding finishes before anything is shown, so a failure leaves the display as it was.
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".JPG") ||
        extension == QLatin1String(".jpeg") || extension == QLatin1String(".JPEG")) {
        preview = loadJpeg(path);
        fileType = QStringLiteral("JPEG");
        Image1->setImage(preview);
    } else if (extension == QLatin1String(".bmp") || extension == QLatin1String(".BMP")) {
        preview = loadBmp(path);
        fileType = QStringLiteral("Bitmap");
        Image1->setImage(preview);
    }
    if (!fileType.isEmpty())
        Label9->hide();
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
        throw AppError(QStringLiteral("There is no picture to set as wallpaper."));
    Registry& registry = m_platform.registry();
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle"),
                         style.wallpaperStyle);
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper"),
                         style.tileWallpaper);
    registry.writeString(RegistryKeys::Desktop, QStringLiteral("Wallpaper"), WallpaperFile);
    saveBmp(preview, WallpaperFile);
    m_platform.setWallpaper(WallpaperFile, m_determining);
}

void TForm1::DeterminePos() {
    const QScopedValueRollback<bool> determining(m_determining, true);
    const PlacementDecision decision = decidePlacement(preview.size(), m_platform.screenSize());
    if (decision.viaSizeFix)
        SizeFix(preview.height(), preview.width());
    else
        SetAsWallpaper(decision.word);
}

void TForm1::SizeFix(double height, double width) {
    if (const std::optional<QSize> size = sizeFixTarget(height, width, m_platform.screenSize())) {
        QImage scaled = scaledPicture(preview, *size);
        if (scaled.isNull())
            throw AppError(QStringLiteral("Cannot scale the picture to %1 x %2 pixels.")
                               .arg(size->width())
                               .arg(size->height()));
        preview = std::move(scaled);
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
