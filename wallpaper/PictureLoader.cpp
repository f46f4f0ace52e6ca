#include "wallpaper/PictureLoader.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"
#include "app/platform/RegularFile.h"
#include "wallpaper/AreaScale.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/BmpRowWriter.h"
#include "wallpaper/PictureMemory.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <jerror.h>

namespace {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int refusedAtScan = 0; // set when the scan limit below ended the decoding
};

// Each scan of a progressive file makes the decoder pass over every block of its components,
// however few bytes the scan holds: thousands of repeated scans keep it busy for minutes. Real
// files have about ten scans; MaxScans is far above any, and MaxScanBlocks bounds the work of
// all scans together, so that no picture keeps the program busy for more than a few seconds.
constexpr int MaxScans = 256;
constexpr qint64 MaxScanBlocks = qint64(32) << 20;

struct ScanMonitor {
    jpeg_progress_mgr pub;
    int scan = 0;
    qint64 blocks = 0;
};

// The decoder's fatal errors come here instead of its default exit(): jump back to the step
// that started the decoder call.
void jumpOnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

// Picture data that ends early (the file, or the data before the next marker) is decoded by
// libjpeg as grey filler after a warning; we refuse it instead of showing a partial picture.
// Other warnings (stray bytes and the like) still give a whole picture.
void onDecoderMessage(j_common_ptr cinfo, int level) {
    if (level < 0 &&
        (cinfo->err->msg_code == JWRN_JPEG_EOF || cinfo->err->msg_code == JWRN_HIT_MARKER))
        jumpOnError(cinfo);
}

void discardMessage(j_common_ptr) {}

// Called before every row of every scan while the decoder takes in a multi-scan file.
void countScans(j_common_ptr common) {
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    auto* monitor = reinterpret_cast<ScanMonitor*>(cinfo->progress);
    if (cinfo->input_scan_number == monitor->scan)
        return;
    monitor->scan = cinfo->input_scan_number;
    for (int i = 0; i < cinfo->comps_in_scan; ++i)
        monitor->blocks += qint64(cinfo->cur_comp_info[i]->width_in_blocks) *
                           cinfo->cur_comp_info[i]->height_in_blocks;
    if (monitor->scan > MaxScans || monitor->blocks > MaxScanBlocks) {
        reinterpret_cast<JpegErrorManager*>(cinfo->err)->refusedAtScan = monitor->scan;
        jumpOnError(common);
    }
}

// The steps below may end in jumpOnError. Each sets its own jump target and keeps nothing with
// a destructor in its frame, so the jump skips no C++ clean-up.

// Feeds the decoder from the open file a block at a time: the compressed file is never held
// whole beside the picture, and never more of it is read than the pixel limit, whatever the
// file claims.
struct FileSource {
    jpeg_source_mgr pub;
    RegularFile* file;
    qint64 total = 0;
    int readError = 0; // errno of a failed read
    bool tooLarge = false;
    JOCTET buffer[64 * 1024];
};

boolean fillFromFile(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<FileSource*>(cinfo->src);
    qint64 n = source->file->readSome(source->buffer, sizeof source->buffer);
    if (n < 0) {
        source->readError = errno;
        ERREXIT(cinfo, JERR_FILE_READ);
    }
    source->total += n;
    if (source->total > MaxDecodedBytes) {
        source->tooLarge = true;
        ERREXIT(cinfo, JERR_FILE_READ);
    }
    if (n == 0) {
        // The decoder's own answer to an early end: a warning (refused by onDecoderMessage), then
        // an end marker.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        n = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = size_t(n);
    return TRUE;
}

void skipInFile(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* source = cinfo->src;
    if (count <= 0)
        return;
    while (size_t(count) > source->bytes_in_buffer) {
        count -= long(source->bytes_in_buffer);
        fillFromFile(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= size_t(count);
}

void noSourceAction(j_decompress_ptr) {}

bool openGuarded(j_decompress_ptr cinfo, JpegErrorManager* err, FileSource* source) {
    if (setjmp(err->jump))
        return false;
    jpeg_create_decompress(cinfo);
    // Whole-picture buffers (progressive files) stay within the same bound as the pixels.
    cinfo->mem->max_memory_to_use = MaxDecodedBytes;
    source->pub.init_source = noSourceAction;
    source->pub.fill_input_buffer = fillFromFile;
    source->pub.skip_input_data = skipInFile;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = noSourceAction;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
    cinfo->src = &source->pub;
    jpeg_read_header(cinfo, TRUE);
    return true;
}

// Inverted CMYK as Adobe writes it (255 = no ink) when `inverted`, plain CMYK otherwise, to
// BGR bytes.
void cmykRowToBgr(const JSAMPLE* in, uchar* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<uchar>((y * k + 127) / 255);
        out[1] = static_cast<uchar>((m * k + 127) / 255);
        out[2] = static_cast<uchar>((c * k + 127) / 255);
    }
}

// Decodes every row straight into the picture's own scanlines (through one row buffer for
// CMYK, which needs converting), telling `bmp` of each band done.
bool decodeRowsGuarded(j_decompress_ptr cinfo, JpegErrorManager* err, uchar* bits,
                       qsizetype bytesPerLine, bool cmyk, BmpRowWriter* bmp) {
    if (setjmp(err->jump))
        return false;
    jpeg_start_decompress(cinfo);
    const JDIMENSION height = cinfo->output_height;
    if (cmyk) {
        JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                        JPOOL_IMAGE, cinfo->output_width * 4, 1);
        const bool inverted = cinfo->saw_Adobe_marker;
        while (cinfo->output_scanline < height) {
            const JDIMENSION y = cinfo->output_scanline;
            if (jpeg_read_scanlines(cinfo, buffer, 1) != 1)
                ERREXIT(cinfo, JERR_INPUT_EOF);
            cmykRowToBgr(buffer[0], bits + qsizetype(y) * bytesPerLine, cinfo->output_width,
                         inverted);
            if (bmp)
                bmp->rowsReady(int(y + 1));
        }
    } else {
        constexpr JDIMENSION batch = 16;
        JSAMPROW rows[batch];
        while (cinfo->output_scanline < height) {
            const JDIMENSION y = cinfo->output_scanline;
            const JDIMENSION count = std::min(batch, height - y);
            for (JDIMENSION i = 0; i < count; ++i)
                rows[i] = bits + qsizetype(y + i) * bytesPerLine;
            if (jpeg_read_scanlines(cinfo, rows, count) == 0)
                ERREXIT(cinfo, JERR_INPUT_EOF);
            if (bmp)
                bmp->rowsReady(int(cinfo->output_scanline));
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// Releases the decoder however the decoding ends.
struct DecompressGuard {
    jpeg_decompress_struct* cinfo;
    ~DecompressGuard() { jpeg_destroy_decompress(cinfo); }
};

AppError jpegError(const JpegErrorManager& err, const FileSource& source, const QString& path) {
    if (source.readError != 0)
        return source.file->readFailed(source.readError);
    if (source.tooLarge)
        return source.file->tooLarge(MaxDecodedBytes);
    if (source.total == 0)
        return AppError(
            QCoreApplication::translate("Files", "Cannot load \"%1\": the file is empty.")
                .arg(displayPath(path)));
    if (err.refusedAtScan > 0)
        return AppError(
            QCoreApplication::translate(
                "Files",
                "JPEG error: too many scans to decode in reasonable time (refused at scan %1).")
                .arg(err.refusedAtScan));
    return AppError(QCoreApplication::translate("Files", "JPEG error #%1").arg(err.pub.msg_code));
}

// Widths and heights come from the file, up to 2^32 each, and bits per pixel up to 2^16: the
// products below stay within 64 bits, and a height large enough to push the total past them is
// too large anyway.
qint64 rowBytes(qint64 width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

bool exceeds(qint64 rowBytes, qint64 height, qint64 limit) {
    return height > 0 && rowBytes > limit / height;
}

void refuseIfTooLarge(const QString& path, qint64 width, qint64 height, int bitsPerPixel) {
    if (exceeds(rowBytes(width, bitsPerPixel), height, MaxDecodedBytes))
        throw AppError(QCoreApplication::translate(
                           "Files", "Cannot load \"%1\": the picture is %2 x %3 pixels, larger "
                                    "than the %4 MiB of pixels this program decodes.")
                           .arg(displayPath(path))
                           .arg(width)
                           .arg(height)
                           .arg(MaxDecodedBytes >> 20));
}

// What a BMP file's headers declare, as far as the checks before decoding need it.
struct BmpLayout {
    qint64 width = 0;
    qint64 height = 0; // without the sign of top-down files
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint64 pixelOffset = 0;

    bool uncompressed() const { return compression == 0 || compression == 3; }
    // Qt decodes palette pictures to 8 bits (1 for two colours) and all others to 32.
    int decodedBitsPerPixel() const { return bitsPerPixel > 8 ? 32 : bitsPerPixel == 1 ? 1 : 8; }
};

// The file header and the info header (the old 12-byte core form or the 40-byte one and its
// longer successors); nothing when they are not there, which Qt's reader then reports.
std::optional<BmpLayout> bmpLayout(const QByteArray& head) {
    if (head.size() < 26 || !head.startsWith("BM"))
        return std::nullopt;
    const char* p = head.constData();
    const quint32 headerSize = qFromLittleEndian<quint32>(p + 14);
    BmpLayout layout;
    layout.pixelOffset = qFromLittleEndian<quint32>(p + 10);
    if (headerSize == 12) {
        layout.width = qFromLittleEndian<quint16>(p + 18);
        layout.height = qFromLittleEndian<quint16>(p + 20);
        layout.bitsPerPixel = qFromLittleEndian<quint16>(p + 24);
    } else if (headerSize >= 40 && head.size() >= 34) {
        layout.width = qAbs(qint64(qFromLittleEndian<qint32>(p + 18)));
        layout.height = qAbs(qint64(qFromLittleEndian<qint32>(p + 22)));
        layout.bitsPerPixel = qFromLittleEndian<quint16>(p + 28);
        layout.compression = qFromLittleEndian<quint32>(p + 30);
    } else {
        return std::nullopt;
    }
    return layout;
}

// Every refusal keeps its own first line and names the whole path on a line of its own, so
// the user knows which entry of the list is at fault.
template <typename Load> QImage namingTheFile(const QString& path, Load load) {
    try {
        return load(path);
    } catch (const AppError& error) {
        throw AppError(error.text() + u'\n' + displayPath(path));
    }
}

// The decoder's scale, in eighths, that gives the smallest picture still covering `fitted`.
int eighthsFor(qint64 width, qint64 height, QSize fitted) {
    for (int m = 1; m < 8; ++m)
        if ((width * m + 7) / 8 >= fitted.width() && (height * m + 7) / 8 >= fitted.height())
            return m;
    return 8;
}

bool outputSizeGuarded(j_decompress_ptr cinfo, JpegErrorManager* err) {
    if (setjmp(err->jump))
        return false;
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

// A BMP file to write the rows to as they are decoded, when the picture's size suits.
struct RowsToBmp {
    const QString& path;
    const std::function<bool(QSize)>& atThisSize;
    std::unique_ptr<BmpRowWriter> writer; // finished, once the picture is decoded
};

// The whole picture, or with an `area`, reduced by the decoder's own scaling to the smallest
// size that covers the picture fitted into the area; `fullSize` gets the picture's own size.
QImage decodeJpeg(const QString& path, QSize area = {}, QSize* fullSize = nullptr,
                  RowsToBmp* bmp = nullptr) {
    RegularFile file(path);
    auto source = std::make_unique<FileSource>();
    source->file = &file;

    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpOnError;
    err.pub.emit_message = onDecoderMessage;
    err.pub.output_message = discardMessage;
    // Destroying is harmless when creation itself failed: the memory manager is then null.
    cinfo.mem = nullptr;
    DecompressGuard guard{&cinfo};
    if (!openGuarded(&cinfo, &err, source.get()))
        throw jpegError(err, *source, path);
    // After creating: that clears every field but the error manager.
    ScanMonitor monitor{};
    monitor.pub.progress_monitor = countScans;
    cinfo.progress = &monitor.pub;

    bool cmyk = false;
    QImage::Format format = QImage::Format_BGR888;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Indexed8;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo.out_color_space = JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        throw AppError(QCoreApplication::translate(
                           "Files", "Cannot load \"%1\": its colour space (%2 components) is "
                                    "not supported.")
                           .arg(displayPath(path))
                           .arg(cinfo.num_components));
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;

    const int bitsPerPixel = format == QImage::Format_Indexed8 ? 8 : 24;
    refuseIfTooLarge(path, cinfo.image_width, cinfo.image_height, bitsPerPixel);
    const QSize full(int(cinfo.image_width), int(cinfo.image_height));
    if (fullSize)
        *fullSize = full;
    if (!area.isEmpty()) {
        cinfo.scale_num = unsigned(eighthsFor(
            full.width(), full.height(), full.boundedTo(full.scaled(area, Qt::KeepAspectRatio))));
        cinfo.scale_denom = 8;
    }
    if (!outputSizeGuarded(&cinfo, &err))
        throw jpegError(err, *source, path);
    const qint64 width = cinfo.output_width;
    const qint64 height = cinfo.output_height;

    QImage image = allocatePicture(int(width), int(height), format);
    if (image.isNull())
        throw AppError(QCoreApplication::translate(
                           "Files", "Cannot load \"%1\": not enough memory for %2 x %3 pixels.")
                           .arg(displayPath(path))
                           .arg(width)
                           .arg(height));
    if (format == QImage::Format_Indexed8)
        image.setColorTable(greyPalette());

    // The resolution, when the file states one (per inch or per centimetre), goes into the BMP.
    const double perMeter = cinfo.density_unit == 1   ? 1 / 0.0254
                            : cinfo.density_unit == 2 ? 100
                                                      : 0;
    if (perMeter > 0 && cinfo.X_density > 0 && cinfo.Y_density > 0) {
        image.setDotsPerMeterX(qRound(cinfo.X_density * perMeter));
        image.setDotsPerMeterY(qRound(cinfo.Y_density * perMeter));
    }

    // Rows are padded to four bytes, and Qt's BMP writer copies 8-bit rows padding and all;
    // the decoder writes only the pixels, so the padding is clean before any row is written.
    const qsizetype bytesPerLine = image.bytesPerLine();
    uchar* bits = image.bits();
    const qsizetype used = qsizetype(width) * (bitsPerPixel / 8);
    if (used < bytesPerLine)
        for (qint64 y = 0; y < height; ++y)
            std::memset(bits + y * bytesPerLine + used, 0, size_t(bytesPerLine - used));

    // Declared after the picture: a failed decoding stops its writing before the rows go.
    std::unique_ptr<BmpRowWriter> writer;
    if (bmp && bmp->atThisSize(image.size()))
        writer = std::make_unique<BmpRowWriter>(bmp->path, bmpHeaders(image), bits, bytesPerLine,
                                                int(height));
    if (!decodeRowsGuarded(&cinfo, &err, bits, bytesPerLine, cmyk, writer.get()))
        throw jpegError(err, *source, path);
    if (writer) {
        writer->finish();
        bmp->writer = std::move(writer);
    }
    return image;
}

QImage decodeBmp(const QString& path) {
    QFile file;
    RegularFile(path).handTo(file);
    if (file.size() == 0)
        throw AppError(
            QCoreApplication::translate("Files", "Cannot load \"%1\": the file is empty.")
                .arg(displayPath(path)));

    // Qt's reader neither tells a too-large picture apart from a broken file nor notices a
    // file cut short (it leaves the missing rows as they were allocated): check both here.
    int sourceBits = 32;
    if (const std::optional<BmpLayout> layout = bmpLayout(file.peek(54))) {
        sourceBits = layout->bitsPerPixel;
        refuseIfTooLarge(path, layout->width, layout->height, layout->decodedBitsPerPixel());
        if (layout->uncompressed()) {
            const qint64 rows = rowBytes(layout->width, layout->bitsPerPixel);
            if (exceeds(rows, layout->height, file.size() - layout->pixelOffset))
                // Within 64 bits: the guard above has bounded the width and the height.
                throw AppError(QCoreApplication::translate(
                                   "Files", "Cannot load \"%1\": the file is cut short (%2 of "
                                            "%3 bytes).")
                                   .arg(displayPath(path))
                                   .arg(file.size())
                                   .arg(layout->pixelOffset + rows * layout->height));
        }
    }

    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(MaxDecodedBytes >> 20));
    QImage image = reader.read();
    if (image.isNull())
        throw AppError(QCoreApplication::translate(
                           "Files", "Cannot load \"%1\": not a readable BMP file (%2).")
                           .arg(displayPath(path), reader.errorString()));
    // Qt widens every colour depth to 32 bits; the format says which depth image.bmp keeps.
    if (image.depth() == 32 && sourceBits != 32) {
        image.convertTo(QImage::Format_BGR888);
        if (image.isNull())
            throw AppError(
                QCoreApplication::translate("Files", "Cannot load \"%1\": not enough memory.")
                    .arg(displayPath(path)));
    }
    return image;
}

} // namespace

QImage loadJpeg(const QString& path) {
    return namingTheFile(path, [](const QString& p) { return decodeJpeg(p); });
}

JpegWithBmp loadJpegWritingBmp(const QString& path, const QString& bmpPath,
                               const std::function<bool(QSize)>& atThisSize) {
    RowsToBmp bmp{bmpPath, atThisSize, nullptr};
    JpegWithBmp result;
    result.picture =
        namingTheFile(path, [&bmp](const QString& p) { return decodeJpeg(p, {}, nullptr, &bmp); });
    result.bmp = std::move(bmp.writer);
    return result;
}

PreviewPicture loadPreview(const QString& path, bool jpeg, QSize area) {
    PreviewPicture preview;
    preview.image = namingTheFile(path, [&](const QString& p) {
        if (jpeg)
            return decodeJpeg(p, area, &preview.fullSize);
        QImage whole = decodeBmp(p);
        preview.fullSize = whole.size();
        const QSize fitted = whole.size().scaled(area, Qt::KeepAspectRatio);
        if (area.isEmpty() || (whole.width() <= area.width() && whole.height() <= area.height()))
            return whole;
        QImage reduced = areaScaled(whole, fitted);
        return reduced.isNull() ? whole : reduced;
    });
    return preview;
}

QImage loadBmp(const QString& path) {
    return namingTheFile(path, decodeBmp);
}

const QList<QRgb>& greyPalette() {
    static const QList<QRgb> palette = [] {
        QList<QRgb> p(256);
        for (int i = 0; i < 256; ++i)
            p[i] = qRgb(i, i, i);
        return p;
    }();
    return palette;
}

bool isGreyIndexed(const QImage& image) {
    return image.format() == QImage::Format_Indexed8 && image.colorTable() == greyPalette();
}
