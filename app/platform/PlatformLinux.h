#pragma once

#include "app/platform/Platform.h"
#include "app/platform/RegistryLinux.h"
#include "app/platform/ValueStore.h"
#include "wallpaper/DesktopBackend.h"

#include <memory>
#include <random>

// The real services on a Linux desktop. Settings live in $XDG_CONFIG_HOME/tessary/settings.reg,
// the autostart entry in $XDG_CONFIG_HOME/autostart/tessary.desktop, images.db and image.bmp in
// $XDG_DATA_HOME/tessary/. Construction throws AppError when the settings file cannot be read.
class PlatformLinux : public Platform {
public:
    PlatformLinux();
    ~PlatformLinux() override;

    Registry& registry() override;
    QString executablePath() const override;
    QString dataFolder() override;
    QSize screenSize() const override;
    std::uint32_t nextRandom() override;
    void setWallpaper(const QString& file, bool determined) override;
    void setWallpaperPicture(const QString& file, bool determined, const QImage& picture) override;
    std::function<void(const QImage&)> wallpaperShower(const QString& file,
                                                       bool determined) override;
    void setDesktopColor(std::uint32_t color) override;
    void playWarningSound() override;
    void openAddress(const QString& address) override;
    QString desktopName() const override;

    static QString settingsFile();
    static QString autostartFile();

private:
    // The placement the stored "WallpaperStyle" and "TileWallpaper" values ask for.
    Placement storedPlacement() const;

    std::unique_ptr<DesktopBackend> m_desktop;
    ValueStore m_store;
    std::unique_ptr<RegistryLinux> m_registry;
    std::mt19937 m_random;
};
