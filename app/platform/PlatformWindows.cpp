#include "app/platform/PlatformWindows.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"
#include "app/platform/NativePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

namespace {

bool canCreateFileIn(const QString& folder) {
    // The folder's attributes say nothing about the rights the user has on it: try.
    QTemporaryFile probe(folder + QStringLiteral("/.tessary-XXXXXX"));
    return probe.open();
}

} // namespace

PlatformWindows::PlatformWindows()
    : m_random(std::random_device{}()) {}

Registry& PlatformWindows::registry() {
    return m_registry;
}

QString PlatformWindows::executablePath() const {
    // Quoted: the system splits an unquoted command line at its spaces and would try
    // C:\Users\Jane.exe for a program under C:\Users\Jane Doe.
    return u'"' + QDir::toNativeSeparators(QCoreApplication::applicationFilePath()) + u'"';
}

QString PlatformWindows::chooseDataFolder(const QString& executableFolder,
                                          const QString& fallback) {
    if (canCreateFileIn(executableFolder))
        return QDir::fromNativeSeparators(executableFolder);
    ensureFolder(fallback);
    return QDir::fromNativeSeparators(fallback);
}

QString PlatformWindows::dataFolder() {
    // Decided once: the list and the bitmap must not move between two saves.
    if (m_dataFolder.isEmpty())
        m_dataFolder =
            chooseDataFolder(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                 QStringLiteral("/Tessary"));
    return m_dataFolder;
}

QSize PlatformWindows::screenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::uint32_t PlatformWindows::nextRandom() {
    return m_random() >> 1;
}

void PlatformWindows::setWallpaper(const QString& file, bool) {
    // The placement values and "Wallpaper" are already written; the system is only told. It
    // places the picture itself, so the automatic choice needs nothing more here.
    std::wstring path = QDir::toNativeSeparators(file).toStdWString();
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

void PlatformWindows::setDesktopColor(std::uint32_t color) {
    // 0x00BBGGRR is the system's own colour form.
    const INT element = COLOR_BACKGROUND;
    const COLORREF value = color & 0x00FFFFFF;
    SetSysColors(1, &element, &value);
}

void PlatformWindows::playWarningSound() {
    PlaySoundW(L"SystemExclamation", nullptr, SND_ALIAS | SND_ASYNC);
}

void PlatformWindows::openAddress(const QString& address) {
    ShellExecuteW(nullptr, L"open", address.toStdWString().c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

QString PlatformWindows::desktopName() const {
    return QStringLiteral("Windows");
}

std::unique_ptr<Platform> createNativePlatform() {
    return std::make_unique<PlatformWindows>();
}
