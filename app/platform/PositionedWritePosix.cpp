#include "app/platform/PositionedWrite.h"

#include <QFileDevice>

#include <cerrno>
#include <unistd.h>

bool writeAt(QFileDevice& file, const void* data, qint64 size, qint64 offset) {
    const int handle = file.handle();
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::pwrite(handle, from, size_t(size), off_t(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        from += written;
        size -= written;
        offset += written;
    }
    return true;
}

bool syncData(QFileDevice& file) {
    while (::fdatasync(file.handle()) != 0)
        if (errno != EINTR)
            return false;
    return true;
}
