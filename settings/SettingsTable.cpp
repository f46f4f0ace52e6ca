#include "settings/SettingsTable.h"

#include "app/platform/Errors.h"
#include "app/platform/Registry.h"
#include "settings/DecimalText.h"

#include <algorithm>

#include <QCoreApplication>

const std::vector<SettingRow>& settingsTable() {
    using enum SettingType;
    const QString& product = RegistryKeys::Product;
    static const std::vector<SettingRow> table = {
        {product, QStringLiteral("MinimizeTell"), Flag, false, &SettingValues::MinimizeTell},
        {product, QStringLiteral("AutoStart"), Flag, true, &SettingValues::AutoStart},
        {product, QStringLiteral("Minimized"), Flag, true, &SettingValues::Minimized},
        {product, QStringLiteral("Position"), Text, true, &SettingValues::Position},
        {product, QStringLiteral("Hours"), Number, true, &Countdown::hours},
        {product, QStringLiteral("Minutes"), Number, true, &Countdown::minutes},
        {product, QStringLiteral("Seconds"), Number, true, &Countdown::seconds},
        {RegistryKeys::Run, QStringLiteral("Tessary"), Presence, true,
         &SettingValues::StartWithWindows},
    };
    return table;
}

namespace {

// The field a row stands for, in a const or a mutable SettingValues.
template <typename Values> auto& flagOf(Values& values, const SettingRow& row) {
    return values.*std::get<bool SettingValues::*>(row.field);
}

template <typename Values> auto& textOf(Values& values, const SettingRow& row) {
    return values.*std::get<QString SettingValues::*>(row.field);
}

template <typename Values> auto& numberOf(Values& values, const SettingRow& row) {
    return values.countdown.*std::get<std::int32_t Countdown::*>(row.field);
}

} // namespace

QString settingText(const SettingValues& values, const SettingRow& row) {
    const SettingValues& v = values;
    switch (row.type) {
    case SettingType::Flag:
        return flagOf(v, row) ? QStringLiteral("1") : QStringLiteral("0");
    case SettingType::Text:
        return textOf(v, row);
    case SettingType::Number:
        return IntToStr(numberOf(v, row));
    case SettingType::Presence:
        return flagOf(v, row) ? QStringLiteral("present") : QStringLiteral("absent");
    }
    return {};
}

SettingValues readSettings(const Registry& registry) {
    SettingValues values;
    for (const SettingRow& row : settingsTable()) {
        switch (row.type) {
        case SettingType::Flag:
            flagOf(values, row) = registry.readBool(row.key, row.name);
            break;
        case SettingType::Text:
            textOf(values, row) = registry.readString(row.key, row.name);
            break;
        case SettingType::Number: {
            const QString text = registry.readString(row.key, row.name);
            const auto number = StrToInt(text);
            if (!number) {
                if (!registry.valueExists(row.key, row.name))
                    throw AppError(
                        QCoreApplication::translate("Settings", "The setting \"%1\" is missing.")
                            .arg(row.name));
                throw AppError(QCoreApplication::translate(
                                   "Settings", "The setting \"%1\" should be a whole number but "
                                               "holds \"%2\".")
                                   .arg(row.name, text));
            }
            numberOf(values, row) = *number;
            break;
        }
        case SettingType::Presence:
            flagOf(values, row) = registry.valueExists(row.key, row.name);
            break;
        }
    }
    return values;
}

void writeSettings(Registry& registry, const SettingValues& values, const QString& executable,
                   const RowFilter& which) {
    if (!registry.keyExists(RegistryKeys::Product))
        registry.createKey(RegistryKeys::Product);
    const SettingValues& v = values;
    for (const SettingRow& row : settingsTable()) {
        if (which && !which(row))
            continue;
        switch (row.type) {
        case SettingType::Flag:
            registry.writeBool(row.key, row.name, flagOf(v, row));
            break;
        case SettingType::Text:
        case SettingType::Number:
            registry.writeString(row.key, row.name, settingText(values, row));
            break;
        case SettingType::Presence:
            if (flagOf(v, row))
                registry.writeString(row.key, row.name, executable);
            else if (registry.valueExists(row.key, row.name))
                registry.deleteValue(row.key, row.name);
            break;
        }
    }
}

std::int32_t intervalMsFor(const Countdown& countdown) {
    const std::int64_t ms = countdown.totalSeconds() * 1000;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ms, 0, INT32_MAX));
}
