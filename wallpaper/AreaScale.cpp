#include "wallpaper/AreaScale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The loops over every pixel run twice as fast with the vector instructions most machines of
// the last decade have; the loader picks the variant the processor can run.
#if defined(__x86_64__) && defined(__ELF__) && defined(__GNUC__)
#define PICK_VECTOR_WIDTH __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define PICK_VECTOR_WIDTH
#endif

namespace {

// How one axis of the picture maps onto the new size. In units of 1/newLength of a source
// pixel, source pixel i spans [i * newLength, (i + 1) * newLength) and new pixel x spans
// [x * length, (x + 1) * length); a source pixel's weight in a new one is their overlap.
struct Axis {
    std::vector<int> first;          // first source pixel of each new pixel
    std::vector<int> count;          // how many source pixels it covers
    std::vector<std::uint32_t> taps; // their weights, new pixel after new pixel
    std::vector<std::size_t> start;  // where each new pixel's weights begin in taps
};

Axis axis(int length, int newLength) {
    Axis a;
    a.first.resize(size_t(newLength));
    a.count.resize(size_t(newLength));
    a.start.resize(size_t(newLength));
    for (int x = 0; x < newLength; ++x) {
        const std::int64_t from = std::int64_t(x) * length;
        const std::int64_t to = from + length;
        const int first = int(from / newLength);
        const int last = int((to - 1) / newLength);
        a.first[size_t(x)] = first;
        a.count[size_t(x)] = last - first + 1;
        a.start[size_t(x)] = a.taps.size();
        for (int i = first; i <= last; ++i) {
            const std::int64_t lo = std::max(from, std::int64_t(i) * newLength);
            const std::int64_t hi = std::min(to, std::int64_t(i + 1) * newLength);
            a.taps.push_back(std::uint32_t(hi - lo));
        }
    }
    return a;
}

// Blue, green, red of source pixel x of a scanline, by format.
struct Bgr {
    std::uint32_t b, g, r;
};

// Adds one source row, weighted, to the column sums (blue, green, red per source pixel).
template <typename Read>
void addRow(const uchar* line, int width, std::uint32_t weight, Read read, std::uint32_t* sums) {
    for (int x = 0; x < width; ++x, sums += 3) {
        const Bgr p = read(line, x);
        sums[0] += weight * p.b;
        sums[1] += weight * p.g;
        sums[2] += weight * p.r;
    }
}

// Rows already in blue, green, red order need no reading pixel by pixel: a plain loop the
// compiler turns into vector instructions.
PICK_VECTOR_WIDTH void addBgrRow(const uchar* line, int width, std::uint32_t weight,
                                 std::uint32_t* sums) {
    const qsizetype bytes = qsizetype(width) * 3;
    for (qsizetype i = 0; i < bytes; ++i)
        sums[i] += weight * line[i];
}

// Weighs one row of column sums across into the new row's pixels.
PICK_VECTOR_WIDTH void reduceRow(const std::uint32_t* columns, const Axis& h, double norm,
                                 QRgb* out) {
    const auto channel = [norm](std::uint64_t sum) { return int(double(sum) * norm + 0.5); };
    for (size_t x = 0; x < h.first.size(); ++x) {
        const std::uint32_t* hw = h.taps.data() + h.start[x];
        const std::uint32_t* in = columns + size_t(h.first[x]) * 3;
        std::uint64_t b = 0, g = 0, r = 0;
        for (int i = 0; i < h.count[x]; ++i, in += 3) {
            b += std::uint64_t(hw[i]) * in[0];
            g += std::uint64_t(hw[i]) * in[1];
            r += std::uint64_t(hw[i]) * in[2];
        }
        out[x] = qRgb(channel(r), channel(g), channel(b));
    }
}

// Each new row first sums its source rows column by column, then reduces that one row
// across: the costly weighing across is done once per new row, not once per source row.
template <typename Read>
void scale(const QImage& picture, QImage& result, QRect into, int resultTop, bool bgr, Read read) {
    const int width = picture.width();
    const int height = picture.height();
    const int newWidth = into.width();
    const int newHeight = into.height();
    const Axis h = axis(width, newWidth);
    const Axis v = axis(height, newHeight);
    // A column sum stays below 255 * height: 32 bits hold it for any height under 16 million
    // pixels; the sums across need 64.
    std::vector<std::uint32_t> columns(size_t(width) * 3);
    const double norm = 1.0 / (double(width) * double(height));
    // Only the new rows the result holds.
    const int last = std::min(newHeight, resultTop + result.height() - into.top());
    for (int y = std::max(0, resultTop - into.top()); y < last; ++y) {
        std::fill(columns.begin(), columns.end(), 0);
        const std::uint32_t* vw = v.taps.data() + v.start[size_t(y)];
        for (int j = 0; j < v.count[size_t(y)]; ++j) {
            const uchar* line = picture.constScanLine(v.first[size_t(y)] + j);
            if (bgr)
                addBgrRow(line, width, vw[j], columns.data());
            else
                addRow(line, width, vw[j], read, columns.data());
        }
        reduceRow(columns.data(), h, norm,
                  reinterpret_cast<QRgb*>(result.scanLine(into.top() + y - resultTop)) +
                      into.left());
    }
}

} // namespace

bool areaScaleInto(const QImage& picture, QImage& target, QRect into, int targetTop) {
    if (into.isEmpty() || into.width() > picture.width() || into.height() > picture.height() ||
        picture.height() >= (1 << 24) || target.format() != QImage::Format_RGB32 ||
        into.left() < 0 || into.right() >= target.width())
        return false;
    switch (picture.format()) {
    case QImage::Format_BGR888:
        scale(picture, target, into, targetTop, true, [](const uchar* line, int x) {
            const uchar* p = line + qsizetype(x) * 3;
            return Bgr{p[0], p[1], p[2]};
        });
        return true;
    case QImage::Format_RGB888:
        scale(picture, target, into, targetTop, false, [](const uchar* line, int x) {
            const uchar* p = line + qsizetype(x) * 3;
            return Bgr{p[2], p[1], p[0]};
        });
        return true;
    case QImage::Format_RGB32:
        scale(picture, target, into, targetTop, false, [](const uchar* line, int x) {
            const QRgb p = reinterpret_cast<const QRgb*>(line)[x];
            return Bgr{std::uint32_t(qBlue(p)), std::uint32_t(qGreen(p)), std::uint32_t(qRed(p))};
        });
        return true;
    case QImage::Format_Indexed8: {
        const QList<QRgb> table = picture.colorTable();
        std::vector<QRgb> colours(256, qRgb(0, 0, 0));
        std::copy_n(table.begin(), std::min<qsizetype>(table.size(), 256), colours.begin());
        scale(picture, target, into, targetTop, false, [&colours](const uchar* line, int x) {
            const QRgb p = colours[line[x]];
            return Bgr{std::uint32_t(qBlue(p)), std::uint32_t(qGreen(p)), std::uint32_t(qRed(p))};
        });
        return true;
    }
    default:
        return false;
    }
}

QImage areaScaled(const QImage& picture, QSize size) {
    QImage result(size, QImage::Format_RGB32);
    if (result.isNull() || !areaScaleInto(picture, result, result.rect(), 0))
        return {};
    result.setDotsPerMeterX(picture.dotsPerMeterX());
    result.setDotsPerMeterY(picture.dotsPerMeterY());
    return result;
}
