#include "app/platform/Errors.h"
#include "wallpaper/ColorText.h"

#include <cstddef>
#include <cstdint>

// Any text either is refused or gives a colour whose own text reads back to the same colour.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::uint32_t color = 0;
    try {
        color = colorFromText(text);
    } catch (const AppError&) {
        return 0;
    }
    if (colorFromText(colorToText(color)) != (color & 0xffffffu))
        __builtin_trap();
    return 0;
}
