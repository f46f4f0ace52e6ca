#pragma once

#include "rotation/Countdown.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

class Registry;

// The settings kept in the registry, with their first-run defaults as initial values.
struct SettingValues {
    bool MinimizeTell = true;
    bool AutoStart = false;
    bool Minimized = false;
    QString Position = QStringLiteral("Determine");
    Countdown countdown{0, 1, 0};
    bool StartWithWindows = false;

    bool operator==(const SettingValues&) const = default;
};

enum class SettingType {
    Flag,     // a number value: 1 or 0; any non-zero number reads as set
    Text,     // a text value; a missing one reads as ""
    Number,   // a whole number held as decimal text
    Presence, // set exactly when the value exists; it holds the executable's path
};

// One stored value: where it lives, its type, and the field of SettingValues it holds.
struct SettingRow {
    QString key;
    QString name;
    SettingType type;
    // The Options dialog writes it on OK (the others are written only by the full save).
    bool editedByOptions;
    std::variant<bool SettingValues::*, QString SettingValues::*, std::int32_t Countdown::*> field;
};

// All stored values, in the order they are read and written.
const std::vector<SettingRow>& settingsTable();

// The stored form of one value under the given settings, as it would be written ("1", "0",
// "Determine", "30"; a presence value gives "present" or "absent").
QString settingText(const SettingValues& values, const SettingRow& row);

// Reads every row. Throws AppError naming the value and what was found when a flag is missing or
// not a number, or a number is not a whole number; nothing is changed or written then.
SettingValues readSettings(const Registry& registry);

using RowFilter = std::function<bool(const SettingRow&)>;

// Writes the rows that pass the filter (all when none is given), in table order. A presence
// value is written with the executable's path, or deleted. The product key is created first if
// it has gone missing, so that a key removed while the program runs does not lose the settings.
void writeSettings(Registry& registry, const SettingValues& values, const QString& executable,
                   const RowFilter& which = {});

// The period in milliseconds. Stored numbers are loaded unchecked, so the product is taken in
// 64 bits and limited to 0..INT32_MAX, which keeps the timer and progress bar meaningful.
std::int32_t intervalMsFor(const Countdown& countdown);
