#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Writes the picture as a standard BMP (BITMAPINFOHEADER, bottom-up rows, no compression) at
// the depth its format stands for: 24 bits per pixel for Format_BGR888, 32 (blue, green, red,
// a zero byte) for the 32-bit formats, and what Qt's own BMP writer makes of any other
// (8 bits with its palette for 8-bit pictures). The 24-bit file holds the same bytes Qt's writer
// gives; ours skips its copy of the picture to 32 bits. Returns false when the device refuses
// the data.
bool writeBmp(const QImage& image, QIODevice& device);

// What writeBmp puts before the rows of a Format_BGR888 or 8-bit grey picture (headers, and the
// grey palette); the rows follow bottom-up, padded to four bytes. Empty for other formats.
QByteArray bmpHeaders(const QImage& image);

// Replaces the file whole with the picture as BMP (temporary file in the same folder, then
// rename). Throws AppError naming the file when the picture is empty or the file cannot be
// written; the old file is then untouched.
void saveBmp(const QImage& image, const QString& path);
