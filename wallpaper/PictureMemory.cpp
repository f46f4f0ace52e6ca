#include "wallpaper/PictureMemory.h"

#include <mutex>
#include <utility>

#include "app/platform/SystemMemory.h"

namespace {

// A mapping holding one large picture.
struct Block {
    void* data;
    std::size_t bytes;
};

// Below this, the allocator's own memory serves better than a mapping.
constexpr std::size_t Large = std::size_t(4) << 20;

struct Spare {
    std::mutex lock;
    bool keeping = false;
    Block* block = nullptr;
};

Spare& spare() {
    static Spare s;
    return s;
}

void unmap(Block* block) {
    freePages(block->data, block->bytes);
    delete block;
}

// The picture is dropped: its block is kept when wanted (the larger of two, since the next
// picture is likely as large as the last), else goes back to the system.
void dropPicture(void* info) {
    auto* block = static_cast<Block*>(info);
    Spare& s = spare();
    {
        const std::lock_guard<std::mutex> hold(s.lock);
        if (s.keeping) {
            if (s.block && s.block->bytes < block->bytes)
                std::swap(s.block, block);
            if (!s.block) {
                s.block = block;
                block = nullptr;
            }
        }
    }
    if (block)
        unmap(block);
}

// A block of at least `bytes`: the kept one when it is large enough, else a new mapping. A
// kept block too small for this picture goes back first, so that the two are never held at
// once.
Block* takeBlock(std::size_t bytes) {
    Block* kept = nullptr;
    {
        Spare& s = spare();
        const std::lock_guard<std::mutex> hold(s.lock);
        std::swap(kept, s.block);
    }
    if (kept && kept->bytes >= bytes)
        return kept;
    if (kept)
        unmap(kept);
    void* data = allocatePages(bytes);
    if (!data)
        return nullptr;
    return new Block{data, bytes};
}

} // namespace

QImage allocatePicture(int width, int height, QImage::Format format) {
    const qsizetype bytesPerLine =
        ((qsizetype(width) * (format == QImage::Format_Indexed8 ? 1 : 3)) + 3) & ~qsizetype(3);
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
    if (bytes < Large)
        return QImage(width, height, format);
    Block* block = takeBlock(bytes);
    if (!block)
        return {};
    QImage image(static_cast<uchar*>(block->data), width, height, bytesPerLine, format, dropPicture,
                 block);
    if (image.isNull())
        dropPicture(block);
    return image;
}

void keepSpareBlock(bool keep) {
    Block* block = nullptr;
    {
        Spare& s = spare();
        const std::lock_guard<std::mutex> hold(s.lock);
        s.keeping = keep;
        if (!keep)
            std::swap(block, s.block);
    }
    if (block)
        unmap(block);
}

std::size_t spareBlockBytes() {
    Spare& s = spare();
    const std::lock_guard<std::mutex> hold(s.lock);
    return s.block ? s.block->bytes : 0;
}
