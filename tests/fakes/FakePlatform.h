#pragma once

#include "app/platform/Platform.h"
#include "app/platform/ValueStore.h"

#include <QStringList>
#include <QTemporaryDir>

#include <random>
#include <vector>

// The platform in memory: settings in a value store without a file, a temporary data folder,
// a fixed screen and a seeded generator. It records what the desktop was asked to do.
class FakePlatform : public Platform {
public:
    FakePlatform();

    Registry& registry() override { return store; }
    QString executablePath() const override { return QStringLiteral("/opt/tessary/picture"); }
    QString dataFolder() override;
    QSize screenSize() const override { return screen; }
    std::uint32_t nextRandom() override { return random() >> 1; }
    void setWallpaper(const QString& file, bool determined) override;
    void setDesktopColor(std::uint32_t color) override { desktopColors.push_back(color); }
    void playWarningSound() override { ++warningSounds; }
    void openAddress(const QString& address) override { openedAddresses.append(address); }
    QString desktopName() const override { return QStringLiteral("fake desktop"); }

    // Writes images.db into the data folder, bytes as given.
    void writeImagesDb(const QByteArray& bytes);

    ValueStore store;
    QTemporaryDir dir;
    QSize screen{1024, 768};
    std::mt19937 random{12345};

    struct WallpaperCall {
        QString file;
        QString wallpaperStyle;
        QString tileWallpaper;
        QByteArray fileBytes; // the file as it was when the desktop was told
        bool determined = false;
    };
    std::vector<WallpaperCall> wallpaperCalls;
    std::vector<std::uint32_t> desktopColors;
    int warningSounds = 0;
    QStringList openedAddresses;
};
