#include "app/platform/RegularFile.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>

QByteArray RegularFile::readAll(qint64 maxBytes) {
    // The size is only a hint: files under /proc say 0 and a file may grow while being read.
    QByteArray bytes;
    bytes.resize(qsizetype(qBound<qint64>(0, m_size, maxBytes)) + 1);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes)
                throw tooLarge(maxBytes);
            bytes.resize(qsizetype(qMin<qint64>(maxBytes + 1, qint64(done) * 2 + 65536)));
        }
        const qint64 n = readSome(bytes.data() + done, bytes.size() - done);
        if (n < 0)
            throw readFailed(errno);
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

AppError RegularFile::readFailed(int number) const {
    return AppError(QCoreApplication::translate("Files", "Cannot read \"%1\": %2")
                        .arg(displayPath(m_path), QString::fromLocal8Bit(std::strerror(number))));
}

AppError RegularFile::tooLarge(qint64 maxBytes) const {
    return AppError(
        QCoreApplication::translate("Files", "Cannot load \"%1\": the file is larger than %2 MiB.")
            .arg(displayPath(m_path))
            .arg(maxBytes >> 20));
}

void RegularFile::handTo(QFile& file) {
    if (!file.open(m_fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        throw AppError(QCoreApplication::translate("Files", "Cannot open \"%1\": %2")
                           .arg(displayPath(m_path), file.errorString()));
    m_fd = -1;
}
