#include "TestPictureFiles.h"

#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace TestPictureFiles {

namespace {

// Test set-up only: libjpeg's default error handling (message, exit) is fine here.
QByteArray encode(int width, int height, int components, J_COLOR_SPACE space,
                  const std::function<void(int, JSAMPLE*)>& row, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> buffer(size_t(width) * size_t(components));
    while (cinfo.next_scanline < cinfo.image_height) {
        row(int(cinfo.next_scanline), buffer.data());
        JSAMPROW rows[1] = {buffer.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

} // namespace

QByteArray jpeg(const QImage& image, bool progressive) {
    if (image.format() == QImage::Format_Grayscale8)
        return encode(
            image.width(), image.height(), 1, JCS_GRAYSCALE,
            [&](int y, JSAMPLE* out) {
                std::memcpy(out, image.constScanLine(y), size_t(image.width()));
            },
            progressive);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return encode(
        rgb.width(), rgb.height(), 3, JCS_RGB,
        [&](int y, JSAMPLE* out) {
            std::memcpy(out, rgb.constScanLine(y), size_t(rgb.width()) * 3);
        },
        progressive);
}

QByteArray cmykJpeg(int width, int height, uchar c, uchar m, uchar y, uchar k) {
    return encode(
        width, height, 4, JCS_CMYK,
        [&](int, JSAMPLE* out) {
            for (int x = 0; x < width; ++x) {
                out[4 * x] = JSAMPLE(255 - c);
                out[4 * x + 1] = JSAMPLE(255 - m);
                out[4 * x + 2] = JSAMPLE(255 - y);
                out[4 * x + 3] = JSAMPLE(255 - k);
            }
        },
        false);
}

QByteArray withDeclaredSize(QByteArray jpeg, quint16 width, quint16 height) {
    // SOF0..SOF2: FF C0/C1/C2, length (2), precision (1), height (2), width (2).
    for (qsizetype i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = uchar(jpeg[i + 1]);
        if (uchar(jpeg[i]) == 0xFF && marker >= 0xC0 && marker <= 0xC2) {
            qToBigEndian(height, jpeg.data() + i + 5);
            qToBigEndian(width, jpeg.data() + i + 7);
            return jpeg;
        }
    }
    qFatal("no frame header");
}

QByteArray withRepeatedLastScan(const QByteArray& jpeg, int times) {
    // Entropy-coded data stuffs every FF byte, so the last FF DA is the last scan's header.
    const qsizetype start = jpeg.lastIndexOf("\xff\xda");
    const qsizetype end = jpeg.lastIndexOf("\xff\xd9");
    if (start < 0 || end < start)
        qFatal("no scan to repeat");
    return jpeg.left(end) + jpeg.mid(start, end - start).repeated(times) + jpeg.mid(end);
}

QByteArray bmp(qint32 width, qint32 height, quint16 bitsPerPixel, const QByteArray& pixels) {
    QByteArray h(54, '\0');
    char* p = h.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian(quint32(54 + pixels.size()), p + 2);
    qToLittleEndian(quint32(54), p + 10);
    qToLittleEndian(quint32(40), p + 14);
    qToLittleEndian(width, p + 18);
    qToLittleEndian(height, p + 22);
    qToLittleEndian(quint16(1), p + 26);
    qToLittleEndian(bitsPerPixel, p + 28);
    qToLittleEndian(quint32(pixels.size()), p + 34);
    return h + pixels;
}

QByteArray widenedTo32(const QByteArray& bmp24) {
    const qint32 width = qFromLittleEndian<qint32>(bmp24.constData() + 18);
    const qint32 height = qAbs(qFromLittleEndian<qint32>(bmp24.constData() + 22));
    const qsizetype row24 = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    QByteArray out = bmp24.left(54);
    const quint32 pixelBytes = quint32(width) * 4 * quint32(height);
    qToLittleEndian<quint32>(54 + pixelBytes, out.data() + 2);
    qToLittleEndian<quint16>(32, out.data() + 28);
    qToLittleEndian<quint32>(pixelBytes, out.data() + 34);
    out.reserve(54 + qsizetype(pixelBytes));
    for (qint32 y = 0; y < height; ++y)
        for (qint32 x = 0; x < width; ++x)
            out += bmp24.mid(54 + y * row24 + x * 3, 3) + QByteArray(1, '\0');
    return out;
}

QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixel(x, y,
                           bottom ? (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255))
                                  : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)));
        }
    return image;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace TestPictureFiles
