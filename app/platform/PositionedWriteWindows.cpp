#include "app/platform/PositionedWrite.h"

#include <windows.h>

#include <cerrno>
#include <io.h>

namespace {

// What the callers read in errno, from the system's own code.
void setErrno(DWORD error) {
    errno = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO;
}

} // namespace

bool writeAt(int handle, const void* data, qint64 size, qint64 offset) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (file == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        // An offset with each write: no shared file position between the threads.
        OVERLAPPED at{};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD written = 0;
        if (!WriteFile(file, from, DWORD(qMin<qint64>(size, 1 << 30)), &written, &at)) {
            setErrno(GetLastError());
            return false;
        }
        from += written;
        size -= written;
        offset += written;
    }
    return true;
}

bool syncData(int handle) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (file == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    if (FlushFileBuffers(file))
        return true;
    setErrno(GetLastError());
    return false;
}
