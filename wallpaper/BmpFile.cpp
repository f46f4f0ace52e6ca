#include "wallpaper/BmpFile.h"

#include "app/platform/Errors.h"
#include "app/platform/GatherWrite.h"
#include "wallpaper/PictureLoader.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>
#include <vector>

#include <array>
#include <cstring>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int DefaultDotsPerMeter = 2834; // 72 dpi, as Qt writes when the picture has none

template <typename T> void put(uchar*& at, T value) {
    qToLittleEndian(value, at);
    at += sizeof(T);
}

// Headers of an uncompressed, bottom-up file, field by field as Qt's writer fills them; a
// palette of `colours` entries follows them.
std::array<uchar, FileHeaderSize + InfoHeaderSize>
headers(const QImage& image, quint32 rowBytes, quint16 bitsPerPixel, quint32 colours = 0) {
    std::array<uchar, FileHeaderSize + InfoHeaderSize> h{};
    const quint32 pixelBytes = rowBytes * quint32(image.height());
    const quint32 pixelOffset = FileHeaderSize + InfoHeaderSize + colours * 4;
    uchar* at = h.data();
    *at++ = 'B';
    *at++ = 'M';
    put<quint32>(at, pixelOffset + pixelBytes); // file size
    put<quint16>(at, 0);
    put<quint16>(at, 0);
    put<quint32>(at, pixelOffset);
    put<quint32>(at, InfoHeaderSize);
    put<qint32>(at, image.width());
    put<qint32>(at, image.height()); // positive: bottom row first
    put<quint16>(at, 1);             // planes
    put<quint16>(at, bitsPerPixel);
    put<quint32>(at, 0); // no compression
    put<quint32>(at, pixelBytes);
    put<qint32>(at, image.dotsPerMeterX() ? image.dotsPerMeterX() : DefaultDotsPerMeter);
    put<qint32>(at, image.dotsPerMeterY() ? image.dotsPerMeterY() : DefaultDotsPerMeter);
    put<quint32>(at, colours); // colours used
    put<quint32>(at, colours); // important colours
    return h;
}

// Rows go out in batches of about this many bytes: few system calls, little extra memory.
constexpr qsizetype BatchBytes = qsizetype(1) << 20;

// Writes the rows bottom-up in large batches; `row` fills one file row (padding included)
// from one scanline.
template <typename FillRow>
bool writeRows(const QImage& image, QIODevice& device, quint16 bitsPerPixel, qsizetype rowBytes,
               FillRow fillRow) {
    const auto head = headers(image, quint32(rowBytes), bitsPerPixel);
    const int rowsPerBatch = int(std::max<qsizetype>(1, BatchBytes / rowBytes));
    QByteArray batch(qsizetype(std::min(rowsPerBatch, image.height())) * rowBytes +
                         qsizetype(head.size()),
                     Qt::Uninitialized);
    std::memcpy(batch.data(), head.data(), head.size());
    qsizetype filled = qsizetype(head.size());
    for (int y = image.height() - 1; y >= 0;) {
        for (int n = 0; n < rowsPerBatch && y >= 0; ++n, --y, filled += rowBytes)
            fillRow(image.constScanLine(y), reinterpret_cast<uchar*>(batch.data()) + filled);
        if (device.write(batch.constData(), filled) != filled)
            return false;
        filled = 0;
    }
    return true;
}

// A file takes the rows straight from the picture, many to a system call, when their padding
// is clean (as the decoder leaves it): no copy of the picture on the way.
// Nothing when that does not apply and nothing was written; otherwise whether it worked.
std::optional<bool> writeBgr888ToFile(const QImage& image, QFileDevice& file, qsizetype used,
                                      qsizetype rowBytes) {
    if (rowBytes > image.bytesPerLine() || file.handle() < 0)
        return std::nullopt;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (qsizetype i = used; i < rowBytes; ++i)
            if (line[i] != 0)
                return std::nullopt;
    }
    if (!file.flush())
        return false;
    auto head = headers(image, quint32(rowBytes), 24);
    const std::size_t batch = std::size_t(maxWriteBuffers());
    std::vector<WriteBuffer> parts;
    parts.reserve(batch);
    parts.push_back({head.data(), head.size()});
    for (int y = image.height() - 1; y >= 0; --y) {
        parts.push_back({image.constScanLine(y), size_t(rowBytes)});
        if (parts.size() == batch || y == 0) {
            if (!writeBuffers(file.handle(), parts.data(), int(parts.size())))
                return false;
            parts.clear();
        }
    }
    return true;
}

// A BGR888 scanline is a BMP row already; only the padding to four bytes is not ours to
// trust, so it is written as zeros.
bool writeBgr888(const QImage& image, QIODevice& device) {
    const qsizetype used = qsizetype(image.width()) * 3;
    const qsizetype rowBytes = (used + 3) & ~qsizetype(3);
    if (auto* file = qobject_cast<QFileDevice*>(&device); file && image.height() > 0)
        if (const std::optional<bool> written = writeBgr888ToFile(image, *file, used, rowBytes))
            return *written;
    return writeRows(image, device, 24, rowBytes, [used, rowBytes](const uchar* in, uchar* out) {
        std::memcpy(out, in, size_t(used));
        std::memset(out + used, 0, size_t(rowBytes - used));
    });
}

// A 32-bit picture keeps its depth: blue, green, red and a reserved zero byte per pixel (the
// alpha of a picture that has one is not part of a plain 32-bit file).
bool writeXrgb(const QImage& image, QIODevice& device) {
    const QImage source = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32);
    if (source.isNull())
        return false;
    const int width = source.width();
    return writeRows(source, device, 32, qsizetype(width) * 4,
                     [width](const uchar* in, uchar* out) {
                         const auto* pixels = reinterpret_cast<const QRgb*>(in);
                         for (int x = 0; x < width; ++x, out += 4) {
                             out[0] = uchar(qBlue(pixels[x]));
                             out[1] = uchar(qGreen(pixels[x]));
                             out[2] = uchar(qRed(pixels[x]));
                             out[3] = 0;
                         }
                     });
}

} // namespace

bool writeBmp(const QImage& image, QIODevice& device) {
    if (image.format() == QImage::Format_BGR888)
        return writeBgr888(image, device);
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
        image.format() == QImage::Format_ARGB32_Premultiplied)
        return writeXrgb(image, device);
    QImageWriter writer(&device, "bmp");
    return writer.write(image);
}

QByteArray bmpHeaders(const QImage& image) {
    if (image.format() == QImage::Format_BGR888) {
        const auto head =
            headers(image, quint32((qsizetype(image.width()) * 3 + 3) & ~qsizetype(3)), 24);
        return QByteArray(reinterpret_cast<const char*>(head.data()), qsizetype(head.size()));
    }
    if (!isGreyIndexed(image))
        return {};
    const auto head = headers(image, quint32((image.width() + 3) & ~3), 8, 256);
    QByteArray bytes(reinterpret_cast<const char*>(head.data()), qsizetype(head.size()));
    for (int i = 0; i < 256; ++i)
        bytes += QByteArray(3, char(i)) + '\0'; // blue, green, red, reserved
    return bytes;
}

void saveBmp(const QImage& image, const QString& path) {
    if (image.isNull())
        throw AppError(
            QCoreApplication::translate("Files", "Cannot write \"%1\": there is no picture.")
                .arg(path));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QCoreApplication::translate("Files", "Cannot write \"%1\": %2")
                           .arg(path, file.errorString()));
    errno = 0;
    if (!writeBmp(image, file)) {
        // Rows written by the system directly leave their error in errno, not in the file.
        const int systemError = errno;
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                            : systemError != 0
                                ? QString::fromLocal8Bit(std::strerror(systemError))
                                : QStringLiteral("the picture cannot be written as BMP.");
        file.cancelWriting();
        throw AppError(
            QCoreApplication::translate("Files", "Cannot write \"%1\": %2").arg(path, why));
    }
    if (!file.commit())
        throw AppError(QCoreApplication::translate("Files", "Cannot write \"%1\": %2")
                           .arg(path, file.errorString()));
}
