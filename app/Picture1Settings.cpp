// The settings: read at start-up, written in full at Exit.
#include "app/Picture1.h"

#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"
#include "settings/SettingsTable.h"

#include <QProgressBar>

namespace {

void takeOver(TForm1& form, const SettingValues& values) {
    form.MinimizeTell = values.MinimizeTell;
    form.AutoStart = values.AutoStart;
    form.Minimized = values.Minimized;
    form.Position = values.Position;
    form.countdown = values.countdown;
    form.StartWithWindows = values.StartWithWindows;
}

} // namespace

void TForm1::LoadRegistry() {
    Registry& registry = m_platform.registry();
    // Read on every start, before anything else, whether or not our own key exists.
    BackgroundText = registry.readString(RegistryKeys::Colors, QStringLiteral("Background"));
    if (registry.keyExists(RegistryKeys::Product)) {
        // Read completely before anything is taken over, so a bad value changes nothing.
        takeOver(*this, readSettings(registry));
    } else {
        // First run: the table's defaults are written, and a Run value left behind is removed.
        registry.createKey(RegistryKeys::Product);
        takeOver(*this, SettingValues{});
        SaveRegistry();
    }
    IntervalMs = intervalMsFor(countdown);
    fitProgressRange();
}

void TForm1::SaveRegistry() {
    SettingValues values = optionsSettings().values();
    values.MinimizeTell = MinimizeTell;
    writeSettings(m_platform.registry(), values, m_platform.executablePath());
}
