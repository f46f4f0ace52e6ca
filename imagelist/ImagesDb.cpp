#include "imagelist/ImagesDb.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"
#include "app/platform/RegularFile.h"

#include <QFile>

namespace {

// Far above any real list (100,000 paths take a few MiB); a link to /dev/zero or an endless
// file stops here instead of filling the memory.
constexpr qint64 MaxImagesDbBytes = qint64(256) << 20;

} // namespace

QStringList parseImagesDb(const QByteArray& bytes) {
    QStringList entries;
    const char* p = bytes.constData();
    const char* const end = p + qstrnlen(p, bytes.size());
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n')
            ++p;
        entries.append(pathFromBytes(QByteArrayView(start, p - start)));
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;
    }
    return entries;
}

QByteArray serializeImagesDb(const QStringList& entries) {
    QByteArray bytes;
    for (const QString& entry : entries) {
        bytes += pathToBytes(entry);
        bytes += "\r\n";
    }
    return bytes;
}

bool endsAtNul(const QByteArray& bytes) {
    return qstrnlen(bytes.constData(), bytes.size()) < size_t(bytes.size());
}

QStringList readImagesDb(const QString& path, bool* cutAtNul) {
    if (!QFile::exists(path)) {
        if (cutAtNul)
            *cutAtNul = false;
        return {};
    }
    const QByteArray bytes = RegularFile(path).readAll(MaxImagesDbBytes);
    if (cutAtNul)
        *cutAtNul = endsAtNul(bytes);
    return parseImagesDb(bytes);
}

void writeImagesDb(const QString& path, const QStringList& entries) {
    writeFileAtomically(path, serializeImagesDb(entries));
}
