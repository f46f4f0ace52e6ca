#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class BmpRowWriter;

// The largest picture accepted, in bytes of decoded pixel rows (1 GiB). A file that declares a
// larger picture is refused from its header, before anything is allocated for its pixels.
inline constexpr qint64 MaxDecodedBytes = qint64(1) << 30;

// Decodes a JPEG file at full size with the accurate integer transform and smooth chroma
// upsampling. Colour (YCbCr, RGB, CMYK, YCCK) becomes Format_BGR888, 24 bits per pixel;
// greyscale becomes Format_Indexed8 with a 256-entry grey palette. Row padding bytes are zero.
// Throws AppError: "JPEG error #N" (N the decoder's message code) for data the decoder rejects,
// including picture data that ends early; "JPEG error: too many scans ..." for a file whose scans
// would keep the decoder busy too long; a text naming the file when it cannot be read, is not a
// regular file, is empty, is too large or uses a colour space we cannot show.
QImage loadJpeg(const QString& path);

// Decodes a JPEG file as loadJpeg does and, when `atThisSize` accepts the picture's size (read
// from the file's header), writes its rows as a BMP for `bmpPath` while they are decoded, so
// that the writing overlaps the decoding: the bytes saveBmp would write for the picture, in a
// temporary file whose writer comes back finished, for commit() to put in place. When the
// decoding fails, the temporary file is gone and `bmpPath` untouched; a failure to write waits
// for commit().
struct JpegWithBmp {
    QImage picture;
    std::unique_ptr<BmpRowWriter> bmp; // null when `atThisSize` declined
};
JpegWithBmp loadJpegWritingBmp(const QString& path, const QString& bmpPath,
                               const std::function<bool(QSize)>& atThisSize);

// Reads a BMP file with Qt's reader, in the format that keeps the file's depth where a BMP
// can be written back at it: Indexed8 for palette pictures, RGB32 or ARGB32 for 32-bit files,
// Format_BGR888 for the other colour depths. The content must be a BMP whatever else it might be.
// Throws AppError naming the file when it cannot be opened, is not a regular file, is not a
// readable BMP, is cut short or is too large.
QImage loadBmp(const QString& path);

// A picture as a preview shows it, for a preview area of `area` device pixels: a JPEG decoded
// by the decoder's own scaling (1/8 to 8/8) to the smallest size that still covers the picture
// fitted into the area, its size read from the header; a BMP read whole and reduced by area
// averaging when larger than the area. No area: the whole picture. Refusals as above.
struct PreviewPicture {
    QImage image;
    QSize fullSize; // the picture's own size
};
PreviewPicture loadPreview(const QString& path, bool jpeg, QSize area);

// Both loaders open the file by the bytes of its path (see PathBytes.h) without blocking, and
// every error text ends with the file's whole path on a line of its own.

// True for an 8-bit picture whose palette is the 256-step grey ramp (a greyscale JPEG).
bool isGreyIndexed(const QImage& image);

// The 256-step grey ramp, palette of greyscale pictures.
const QList<QRgb>& greyPalette();
