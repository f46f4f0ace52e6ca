#include "app/platform/GatherWrite.h"
#include "app/platform/SystemMemory.h"

#include <cerrno>
#include <climits>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/uio.h>
#include <vector>

void* allocatePages(std::size_t bytes) {
    void* data = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED)
        return nullptr;
    // A large picture's memory is touched once, page by page, as it is decoded: in pages of
    // 4 KiB that is a fault every 4 KiB, which costs a third as much as the decoding itself;
    // in huge pages, one every 2 MiB.
    madvise(data, bytes, MADV_HUGEPAGE);
    return data;
}

void freePages(void* data, std::size_t bytes) {
    munmap(data, bytes);
}

void tuneAllocatorForPictures() {
    // Blocks from a megabyte up are mapped on their own and given back when freed, whatever
    // sizes came before (glibc would otherwise raise this bound after freeing a large picture
    // and keep later ones in its heap).
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

void releaseFreeMemory() {
    malloc_trim(0);
}

int maxWriteBuffers() {
    return IOV_MAX;
}

bool writeBuffers(int fd, WriteBuffer* buffers, int count) {
    std::vector<iovec> vectors(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        vectors[std::size_t(i)] = {const_cast<void*>(buffers[i].data), buffers[i].bytes};
    iovec* parts = vectors.data();
    while (count > 0) {
        const ssize_t written = ::writev(fd, parts, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        size_t left = size_t(written);
        while (count > 0 && left >= parts->iov_len) {
            left -= parts->iov_len;
            ++parts;
            --count;
        }
        if (count > 0) {
            parts->iov_base = static_cast<char*>(parts->iov_base) + left;
            parts->iov_len -= left;
        }
    }
    return true;
}
