// Saves the settings as Exit does, through the same registry the program uses on Linux, so that
// the end-to-end script can check the autostart entry it leaves. Usage:
//   settings_autostart_writer on|off EXECUTABLE
#include "app/platform/Errors.h"
#include "app/platform/RegistryLinux.h"
#include "settings/SettingsTable.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("on") && args[1] != QLatin1String("off"))) {
        std::fprintf(stderr, "usage: settings_autostart_writer on|off EXECUTABLE\n");
        return 2;
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    try {
        ValueStore store({RegistryKeys::Run, RegistryKeys::Desktop, RegistryKeys::Colors});
        store.attachFile(config + QStringLiteral("/tessary/settings.reg"));
        RegistryLinux registry(
            store, AutostartEntry(config + QStringLiteral("/autostart/tessary.desktop")), {});
        SettingValues values;
        values.StartWithWindows = args[1] == QLatin1String("on");
        writeSettings(registry, values, args[2]);
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
