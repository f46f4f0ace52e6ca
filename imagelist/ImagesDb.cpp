#include "imagelist/ImagesDb.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"

#include <QFile>

QStringList parseImagesDb(const QByteArray& bytes) {
    QStringList entries;
    const char* p = bytes.constData();
    const char* const end = p + qstrnlen(p, bytes.size());
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n')
            ++p;
        entries.append(QString::fromUtf8(start, p - start));
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
        bytes += entry.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList readImagesDb(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return parseImagesDb(file.readAll());
}

void writeImagesDb(const QString& path, const QStringList& entries) {
    writeFileAtomically(path, serializeImagesDb(entries));
}
