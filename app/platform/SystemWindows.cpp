#include "app/platform/GatherWrite.h"
#include "app/platform/SystemMemory.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <io.h>
#include <malloc.h>

void* allocatePages(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void freePages(void* data, std::size_t) {
    VirtualFree(data, 0, MEM_RELEASE);
}

void tuneAllocatorForPictures() {
    // The system's heap already hands blocks of this size to their own allocations.
}

void releaseFreeMemory() {
    _heapmin();
}

int maxWriteBuffers() {
    return 64;
}

bool writeBuffers(int fd, WriteBuffer* parts, int count) {
    for (int i = 0; i < count; ++i) {
        const char* at = static_cast<const char*>(parts[i].data);
        std::size_t left = parts[i].bytes;
        while (left > 0) {
            const int written = ::_write(fd, at, unsigned(std::min<std::size_t>(left, INT_MAX)));
            if (written < 0)
                return false;
            at += written;
            left -= std::size_t(written);
        }
    }
    return true;
}
