#pragma once

#include <QImage>
#include <QString>

// Decodes a JPEG file at full size: colour to 24 bits per pixel, greyscale to 8 bits with a grey
// palette. Throws AppError ("JPEG error #N" for what the decoder rejects).
QImage loadJpeg(const QString& path);
// Reads a BMP file at its own depth. Throws AppError when it cannot be read.
QImage loadBmp(const QString& path);
