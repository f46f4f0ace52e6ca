#include "app/platform/AutostartEntry.h"
#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"

#include <cstddef>
#include <cstdint>

// Any program path either is refused or gives an entry that reads back to exactly that path;
// reading any entry text never crashes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static_cast<void>(AutostartEntry::execCommand(bytes));
    const QString executable = pathFromBytes(bytes);
    QByteArray entry;
    try {
        entry = AutostartEntry::text(executable);
    } catch (const AppError&) {
        return 0;
    }
    if (AutostartEntry::execCommand(entry) != QStringList{executable})
        __builtin_trap();
    // Nothing in the path may start a line of its own: the header and eleven keys.
    if (entry.count('\n') != 12)
        __builtin_trap();
    return 0;
}
