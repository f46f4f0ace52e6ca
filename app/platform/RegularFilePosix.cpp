#include "app/platform/RegularFile.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"

#include <QCoreApplication>

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

qint64 RegularFile::readSome(void* data, qint64 maxBytes) {
    ssize_t n;
    do
        n = ::read(m_fd, data, size_t(maxBytes));
    while (n < 0 && errno == EINTR);
    return n;
}
