#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures for the tests, made at run time: JPEGs through libjpeg's encoder, BMP headers by
// hand, so each test controls exactly what the loader meets.
namespace TestPictureFiles {

// A JPEG of the picture: greyscale for Format_Grayscale8, colour (YCbCr) otherwise.
QByteArray jpeg(const QImage& image, bool progressive = false);
// A CMYK JPEG of one ink mix, inverted as Adobe writes it (255 = no ink).
QByteArray cmykJpeg(int width, int height, uchar c, uchar m, uchar y, uchar k);
// The JPEG with its frame header rewritten to declare another size.
QByteArray withDeclaredSize(QByteArray jpeg, quint16 width, quint16 height);
// The JPEG with its last scan repeated `times` more times before the end-of-image marker.
QByteArray withRepeatedLastScan(const QByteArray& jpeg, int times);
// A BMP file header and BITMAPINFOHEADER declaring the size and depth, followed by `pixels`.
QByteArray bmp(qint32 width, qint32 height, quint16 bitsPerPixel, const QByteArray& pixels);
// Four quadrants: red, green (top), blue, white (bottom).
QImage quadrants(int width, int height);

// Qt's 24-bit BMP file widened to the 32-bit file we write for a 32-bit picture: each pixel's
// blue, green, red followed by a zero byte, no row padding, sizes to match.
QByteArray widenedTo32(const QByteArray& bmp24);

void write(const QString& path, const QByteArray& bytes);

} // namespace TestPictureFiles
