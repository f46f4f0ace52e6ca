#include "wallpaper/BmpFile.h"

#include "app/platform/Errors.h"

#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

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

// Headers of a 24-bit, uncompressed, bottom-up file, field by field as Qt's writer fills them.
std::array<uchar, FileHeaderSize + InfoHeaderSize> headers24(const QImage& image,
                                                             quint32 rowBytes) {
    std::array<uchar, FileHeaderSize + InfoHeaderSize> h{};
    const quint32 pixelBytes = rowBytes * quint32(image.height());
    uchar* at = h.data();
    *at++ = 'B';
    *at++ = 'M';
    put<quint32>(at, FileHeaderSize + InfoHeaderSize + pixelBytes); // file size
    put<quint16>(at, 0);
    put<quint16>(at, 0);
    put<quint32>(at, FileHeaderSize + InfoHeaderSize); // offset of the pixels
    put<quint32>(at, InfoHeaderSize);
    put<qint32>(at, image.width());
    put<qint32>(at, image.height()); // positive: bottom row first
    put<quint16>(at, 1);             // planes
    put<quint16>(at, 24);            // bits per pixel
    put<quint32>(at, 0);             // no compression
    put<quint32>(at, pixelBytes);
    put<qint32>(at, image.dotsPerMeterX() ? image.dotsPerMeterX() : DefaultDotsPerMeter);
    put<qint32>(at, image.dotsPerMeterY() ? image.dotsPerMeterY() : DefaultDotsPerMeter);
    put<quint32>(at, 0); // colours used
    put<quint32>(at, 0); // important colours
    return h;
}

// A BGR888 scanline is a BMP row already; only the padding to four bytes is not ours to
// trust, so rows whose padding holds anything go through a zeroed copy.
bool writeBgr888(const QImage& image, QIODevice& device) {
    const qsizetype used = qsizetype(image.width()) * 3;
    const qsizetype rowBytes = (used + 3) & ~qsizetype(3);
    const auto headers = headers24(image, quint32(rowBytes));
    if (device.write(reinterpret_cast<const char*>(headers.data()), qint64(headers.size())) !=
        qint64(headers.size()))
        return false;
    QByteArray padded(rowBytes, '\0');
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar* line = image.constScanLine(y);
        const char* row = reinterpret_cast<const char*>(line);
        bool clean = true;
        for (qsizetype i = used; i < rowBytes; ++i)
            clean = clean && line[i] == 0;
        if (!clean) {
            std::memcpy(padded.data(), line, size_t(used));
            row = padded.constData();
        }
        if (device.write(row, rowBytes) != rowBytes)
            return false;
    }
    return true;
}

} // namespace

bool writeBmp(const QImage& image, QIODevice& device) {
    if (image.format() == QImage::Format_BGR888)
        return writeBgr888(image, device);
    QImageWriter writer(&device, "bmp");
    return writer.write(image);
}

void saveBmp(const QImage& image, const QString& path) {
    if (image.isNull())
        throw AppError(QStringLiteral("Cannot write \"%1\": there is no picture.").arg(path));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    if (!writeBmp(image, file)) {
        const QString why = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QStringLiteral("the picture cannot be written as BMP.");
        file.cancelWriting();
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, why));
    }
    if (!file.commit())
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}
