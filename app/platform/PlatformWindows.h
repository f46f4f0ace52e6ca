#pragma once

#include "app/platform/Platform.h"
#include "app/platform/RegistryWindows.h"

#include <random>

// The real services on Windows: the user's registry, the system's wallpaper and colour calls,
// its sounds and its shell. images.db and image.bmp live beside the executable, as long as the
// user may write there (a per-user install); otherwise in %LOCALAPPDATA%\Tessary.
class PlatformWindows : public Platform {
public:
    PlatformWindows();

    Registry& registry() override;
    QString executablePath() const override;
    QString dataFolder() override;
    QSize screenSize() const override;
    std::uint32_t nextRandom() override;
    void setWallpaper(const QString& file, bool determined) override;
    void setDesktopColor(std::uint32_t color) override;
    void playWarningSound() override;
    void openAddress(const QString& address) override;
    QString desktopName() const override;

    // The folder for the program's files: executableFolder when a file can be created there,
    // else fallback, created when missing. Throws AppError when neither can be used.
    static QString chooseDataFolder(const QString& executableFolder, const QString& fallback);

private:
    RegistryWindows m_registry;
    QString m_dataFolder;
    std::mt19937 m_random;
};
