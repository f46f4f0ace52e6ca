#include "wallpaper/PlacementRule.h"

#include "wallpaper/PictureLoader.h"

#include <cmath>

PlacementDecision decidePlacement(QSize picture, QSize screen) {
    const double width = picture.width();
    const double height = picture.height();
    if (width <= 0 || height <= 0 || (width <= 400 && height <= 400))
        return {QStringLiteral("Tile"), false, std::nullopt};
    const double ratio = width / height;
    if (ratio < 1.0 || ratio >= 1.55)
        return {QStringLiteral("Center"), true, sizeFixTarget(height, width, screen)};
    return {QStringLiteral("Stretch"), false, std::nullopt};
}

std::optional<QSize> sizeFixTarget(double height, double width, QSize screen) {
    if (!(height > 0) || !(width > 0) || screen.isEmpty())
        return std::nullopt;
    const double screenWidth = screen.width();
    const double screenHeight = screen.height();
    if (width < screenWidth && height < screenHeight)
        return std::nullopt;
    const double ratio = width / height;
    // A very thin picture would truncate to nothing, which no bitmap can hold.
    const auto side = [](double value) { return std::max(1, int(std::trunc(value))); };
    if (width >= height)
        return QSize(screen.width(), side(screenWidth / ratio));
    return QSize(side(screenHeight * ratio), screen.height());
}

MonitorPlacement placeOnMonitor(QSize picture, QSize monitor, Placement placement,
                                bool determined) {
    if (!determined)
        return {placement, picture};
    const PlacementDecision decision = decidePlacement(picture, monitor);
    if (decision.word == QLatin1String("Tile"))
        return {Placement::Tile, picture};
    if (decision.word == QLatin1String("Stretch"))
        return {Placement::Stretch, monitor};
    return {Placement::Center, decision.scaledSize.value_or(picture)};
}

QImage scaledPicture(const QImage& picture, QSize size) {
    QImage scaled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return scaled;
    // The copy has the display's 24 bits whatever the source's depth.
    if (!isGreyIndexed(picture))
        return scaled.convertToFormat(QImage::Format_BGR888);
    // Qt scales palette pictures in 32 bits; the grey level is any one channel.
    const QImage rgb = scaled.convertToFormat(QImage::Format_RGB32);
    QImage grey(rgb.size(), QImage::Format_Indexed8);
    if (grey.isNull())
        return rgb;
    grey.setColorTable(greyPalette());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = uchar(qBlue(in[x]));
        for (qsizetype x = rgb.width(); x < grey.bytesPerLine(); ++x)
            out[x] = 0;
    }
    grey.setDotsPerMeterX(picture.dotsPerMeterX());
    grey.setDotsPerMeterY(picture.dotsPerMeterY());
    return grey;
}
