#include "wallpaper/PictureLoader.h"

#include "app/platform/Errors.h"

#include <QImageReader>

namespace {

QImage readWith(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        throw AppError(QStringLiteral("Cannot load \"%1\": %2").arg(path, reader.errorString()));
    return image;
}

} // namespace

QImage loadJpeg(const QString& path)
{
    return readWith(path, "jpeg");
}

QImage loadBmp(const QString& path)
{
    return readWith(path, "bmp");
}
