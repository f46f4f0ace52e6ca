#include "app/platform/Errors.h"
#include "app/platform/ValueStore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ValueStore store;
    try {
        store.parse(bytes, QStringLiteral("fuzz"));
    } catch (const AppError&) {
        return 0;
    }
    // Whatever parsed must survive its own text form unchanged.
    ValueStore copy;
    copy.parse(store.serialize(), QStringLiteral("copy"));
    if (copy.serialize() != store.serialize())
        __builtin_trap();
    return 0;
}
