#include "app/platform/PathBytes.h"

#include <QStringDecoder>

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

// A low surrogate that is not the second half of a pair stands for one byte.
bool isEscapeAt(const QString& path, qsizetype i) {
    const char16_t c = path.at(i).unicode();
    return c >= FirstEscape && c <= LastEscape && (i == 0 || !path.at(i - 1).isHighSurrogate());
}

bool hasEscape(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isEscapeAt(path, i))
            return true;
    return false;
}

// Length of the valid UTF-8 sequence at p (shortest form, no surrogates, at most U+10FFFF),
// or 0 when the bytes there are not one.
int validSequenceLength(const uchar* p, const uchar* end) {
    const uchar b = p[0];
    int length = 0;
    char32_t min = 0;
    char32_t code = 0;
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0) {
        length = 2, min = 0x80, code = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3, min = 0x800, code = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, code = b & 0x07;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// UTF-8 with every character kept: QString::fromUtf8 drops a byte order mark at the start,
// which would lose three bytes of a path that begins with one.
QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

} // namespace

QString pathFromBytes(QByteArrayView bytes) {
    if (bytes.isValidUtf8())
        return decodeUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const uchar* const end = p + bytes.size();
    while (p < end) {
        const int length = validSequenceLength(p, end);
        if (length == 0) {
            path += QChar(char16_t(0xDC00 + *p));
            ++p;
        } else {
            path += decodeUtf8(QByteArrayView(p, length));
            p += length;
        }
    }
    return path;
}

QByteArray pathToBytes(const QString& path) {
    if (!hasEscape(path))
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscapeAt(path, i))
            continue;
        bytes += QStringView(path).mid(runStart, i - runStart).toUtf8();
        if (i < path.size())
            bytes += char(path.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    return bytes;
}

QString displayPath(const QString& path) {
    if (!hasEscape(path))
        return path;
    QString shown = path;
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isEscapeAt(path, i))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}
