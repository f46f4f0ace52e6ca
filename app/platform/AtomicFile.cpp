#include "app/platform/AtomicFile.h"

#include "app/platform/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

void ensureFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw AppError(QStringLiteral("Cannot create folder \"%1\".").arg(path));
}

void writeFileAtomically(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    if (file.write(content) != content.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, why));
    }
    if (!file.commit())
        throw AppError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}
