#include "app/platform/AtomicFile.h"

#include "app/platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

void ensureFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw AppError(
            QCoreApplication::translate("Files", "Cannot create folder \"%1\".").arg(path));
}

void writeFileAtomically(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QCoreApplication::translate("Files", "Cannot write \"%1\": %2")
                           .arg(path, file.errorString()));
    if (file.write(content) != content.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw AppError(
            QCoreApplication::translate("Files", "Cannot write \"%1\": %2").arg(path, why));
    }
    if (!file.commit())
        throw AppError(QCoreApplication::translate("Files", "Cannot write \"%1\": %2")
                           .arg(path, file.errorString()));
}
