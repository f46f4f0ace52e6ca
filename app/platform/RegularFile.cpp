#include "app/platform/RegularFile.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int number) {
    return QString::fromLocal8Bit(std::strerror(number));
}

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QCoreApplication::translate("Files", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("Files", "a named pipe");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("Files", "a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("Files", "a device");
    return QCoreApplication::translate("Files", "a special file");
}

} // namespace

RegularFile::RegularFile(const QString& path)
    : m_path(path) {
    // Non-blocking, so that opening a named pipe returns at once instead of waiting for a
    // writer; the kind of file is then looked at on what was opened, not on the name.
    m_fd = ::open(pathToBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        throw AppError(QCoreApplication::translate("Files", "Cannot open \"%1\": %2")
                           .arg(displayPath(path), systemError(errno)));
    struct stat status {};
    if (::fstat(m_fd, &status) != 0) {
        const int number = errno;
        ::close(m_fd);
        throw AppError(QCoreApplication::translate("Files", "Cannot open \"%1\": %2")
                           .arg(displayPath(path), systemError(number)));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_fd);
        throw AppError(QCoreApplication::translate(
                           "Files", "Cannot open \"%1\": it is %2, not a regular file.")
                           .arg(displayPath(path), kindOf(status.st_mode)));
    }
    m_size = status.st_size;
}

RegularFile::~RegularFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

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

qint64 RegularFile::readSome(void* data, qint64 maxBytes) {
    ssize_t n;
    do
        n = ::read(m_fd, data, size_t(maxBytes));
    while (n < 0 && errno == EINTR);
    return n;
}

AppError RegularFile::readFailed(int number) const {
    return AppError(QCoreApplication::translate("Files", "Cannot read \"%1\": %2")
                        .arg(displayPath(m_path), systemError(number)));
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
