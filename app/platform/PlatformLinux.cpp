#include "app/platform/PlatformLinux.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"
#include "app/platform/NativePlatform.h"
#include "wallpaper/ColorText.h"
#include "wallpaper/DesktopBackendLoader.h"
#include "wallpaper/PlacementWords.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

namespace {

QString configHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// 0x00BBGGRR, the packed form the program keeps, as a colour.
QColor fromPacked(std::uint32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

QString PlatformLinux::settingsFile() {
    return configHome() + QStringLiteral("/tessary/settings.reg");
}

QString PlatformLinux::autostartFile() {
    return configHome() + QStringLiteral("/autostart/tessary.desktop");
}

PlatformLinux::PlatformLinux()
    : m_desktop(createDesktopBackend(QProcessEnvironment::systemEnvironment()))
    , m_store({RegistryKeys::Run, RegistryKeys::Desktop, RegistryKeys::Colors})
    , m_random(std::random_device{}()) {
    std::fprintf(stderr, "tessary: wallpaper backend: %s\n", qPrintable(m_desktop->name()));
    m_store.attachFile(settingsFile());
    m_registry = std::make_unique<RegistryLinux>(
        m_store, AutostartEntry(autostartFile()), [this]() -> std::optional<QString> {
            const auto color = m_desktop->backgroundColor();
            if (!color)
                return std::nullopt;
            return colorToText(RGBToColor(color->red(), color->green(), color->blue()));
        });
    // A desktop we draw ourselves cannot tell its colour: the first picture gets the fill the
    // user last chose. A value that cannot be read leaves the backend's default.
    try {
        const std::uint32_t color = colorFromText(
            m_registry->readString(RegistryKeys::Colors, QStringLiteral("Background")));
        m_desktop->assumeBackgroundColor(fromPacked(color));
    } catch (const AppError&) {
    }
    // Likewise the picture we placed last: a new colour goes around it rather than over it.
    try {
        const Registry& reg = *m_registry;
        const QString file = reg.readString(RegistryKeys::Desktop, QStringLiteral("Wallpaper"));
        if (!file.isEmpty() && QFileInfo(file).isFile())
            m_desktop->assumeWallpaper(file, storedPlacement());
    } catch (const AppError&) {
    }
}

PlatformLinux::~PlatformLinux() = default;

Registry& PlatformLinux::registry() {
    return *m_registry;
}

QString PlatformLinux::executablePath() const {
    return QCoreApplication::applicationFilePath();
}

QString PlatformLinux::dataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/tessary");
    ensureFolder(folder);
    return folder;
}

QSize PlatformLinux::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {1024, 768};
    return screen->size() * screen->devicePixelRatio();
}

std::uint32_t PlatformLinux::nextRandom() {
    return m_random() >> 1; // non-negative as a signed 32-bit number too
}

Placement PlatformLinux::storedPlacement() const {
    const Registry& reg = *m_registry;
    return placementFromStyle(
        reg.readString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle")),
        reg.readString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper")));
}

void PlatformLinux::setWallpaper(const QString& file, bool determined) {
    if (determined)
        m_desktop->setWallpaperDetermined(file, storedPlacement());
    else
        m_desktop->setWallpaper(file, storedPlacement());
}

void PlatformLinux::setWallpaperPicture(const QString& file, bool determined,
                                        const QImage& picture) {
    m_desktop->setWallpaperPicture(file, storedPlacement(), determined, picture);
}

std::function<void(const QImage&)> PlatformLinux::wallpaperShower(const QString& file,
                                                                  bool determined) {
    if (!m_desktop->showsFromWorker())
        return {};
    return [desktop = m_desktop.get(), file, placement = storedPlacement(),
            determined](const QImage& picture) {
        desktop->setWallpaperPicture(file, placement, determined, picture);
    };
}

void PlatformLinux::setDesktopColor(std::uint32_t color) {
    m_desktop->setBackgroundColor(fromPacked(color));
}

void PlatformLinux::playWarningSound() {
    const QString player = QStandardPaths::findExecutable(QStringLiteral("canberra-gtk-play"));
    if (player.isEmpty() ||
        !QProcess::startDetached(player, {QStringLiteral("-i"), QStringLiteral("dialog-warning")}))
        QApplication::beep();
}

void PlatformLinux::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

QString PlatformLinux::desktopName() const {
    return m_desktop->name();
}

std::unique_ptr<Platform> createNativePlatform() {
    return std::make_unique<PlatformLinux>();
}
