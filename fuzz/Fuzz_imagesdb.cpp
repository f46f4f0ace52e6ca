#include "imagelist/ImagesDb.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList entries = parseImagesDb(bytes);
    // What was read must write back and read again to the same entries.
    if (parseImagesDb(serializeImagesDb(entries)) != entries)
        __builtin_trap();
    return 0;
}
