#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// The picture reduced to `size` by area averaging: each new pixel is the mean of the source
// area it covers. Reads 8-bit palette, 24-bit (Format_BGR888 and Format_RGB888) and opaque
// 32-bit pictures as they are, without a converted copy of the whole picture; returns
// Format_RGB32. Returns a null image when the size is not a reduction on both sides (not larger
// than the picture, not empty), for a format it does not read, or without memory.
QImage areaScaled(const QImage& picture, QSize size);
// The same drawn straight into a part of a Format_RGB32 image, without a copy between; false,
// leaving the target untouched, where areaScaled would give a null image. The target holds the
// rows from targetTop on of the space `into` is given in: rows of `into` outside it are skipped.
bool areaScaleInto(const QImage& picture, QImage& target, QRect into, int targetTop);
