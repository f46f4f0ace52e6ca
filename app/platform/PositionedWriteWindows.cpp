#include "app/platform/PositionedWrite.h"

#include <QFileDevice>

#include <cerrno>

// Qt's files on Windows are the system's handles, with no descriptor for positioned writes:
// a seek and a write, which is the same while one thread writes the file at a time.

namespace {

bool failed(const QFileDevice& file) {
    errno = file.error() == QFileDevice::ResourceError ? ENOSPC : EIO;
    return false;
}

} // namespace

bool writeAt(QFileDevice& file, const void* data, qint64 size, qint64 offset) {
    if (!file.seek(offset) || file.write(static_cast<const char*>(data), size) != size)
        return failed(file);
    return true;
}

bool syncData(QFileDevice& file) {
    // The commit puts the whole file on the disk.
    return file.flush() || failed(file);
}
