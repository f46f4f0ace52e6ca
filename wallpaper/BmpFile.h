#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Writes the picture as a standard BMP (BITMAPINFOHEADER, bottom-up rows, no compression):
// 24 bits per pixel for colour, 8 bits with its palette for 8-bit pictures, as Qt's own BMP
// writer does for each format. Pictures already holding BMP rows (Format_BGR888) are written
// straight from their scanlines, which Qt's writer would first copy to 32 bits; the bytes are
// the same. Returns false when the device refuses the data.
bool writeBmp(const QImage& image, QIODevice& device);

// Replaces the file whole with the picture as BMP (temporary file in the same folder, then
// rename). Throws AppError naming the file when the picture is empty or the file cannot be
// written; the old file is then untouched.
void saveBmp(const QImage& image, const QString& path);
