#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

class Registry;

// Everything the program asks of the system. main() builds the real one and hands it to the main
// window; tests hand in a fake. Nothing above this layer touches the desktop, the environment or
// a path of its own choosing.
class Platform {
public:
    virtual ~Platform() = default;

    // The user's settings tree. The Run key's "Tessary" value exists exactly when the program
    // starts at logon; "\Control Panel\Desktop" and "\Control Panel\Colors" always exist.
    virtual Registry& registry() = 0;
    // Full path of the running executable, as the Run value should name it.
    virtual QString executablePath() const = 0;
    // Folder that holds images.db and image.bmp; created on first use (throws AppError if not).
    virtual QString dataFolder() = 0;
    // Size of the primary screen in device pixels, read at the moment of the call.
    virtual QSize screenSize() const = 0;
    // The next value of the program's pseudo-random generator; never negative.
    virtual std::uint32_t nextRandom() = 0;
    // Shows the file as the desktop wallpaper, placed as the "WallpaperStyle" and
    // "TileWallpaper" values under "\Control Panel\Desktop" say. The file may have been
    // rewritten at the same path since the last call: the desktop shows the new content.
    // Failures of the desktop are reported as AppError. determined: the placement is the one
    // the automatic rule chose for the primary screen; where the picture is placed on each
    // monitor by us, the rule decides again for each monitor's size.
    virtual void setWallpaper(const QString& file, bool determined) = 0;
    // As setWallpaper, with the picture the file has just been written from. A desktop that we
    // draw ourselves takes it from memory instead of reading the file back.
    virtual void setWallpaperPicture(const QString& file, bool determined, const QImage& picture) {
        Q_UNUSED(picture);
        setWallpaper(file, determined);
    }
    // setWallpaperPicture split for a worker thread: reads now, on the interface thread, what
    // the desktop needs (the stored placement) and returns the call that shows the picture,
    // which may then run on the worker while the interface thread goes on, touching nothing
    // else of the platform. Empty when this desktop must be told from the interface thread:
    // call setWallpaperPicture there instead.
    virtual std::function<void(const QImage&)> wallpaperShower(const QString& file,
                                                               bool determined) {
        return [this, file, determined](const QImage& picture) {
            setWallpaperPicture(file, determined, picture);
        };
    }
    // Sets the desktop's background colour, packed 0x00BBGGRR.
    virtual void setDesktopColor(std::uint32_t color) = 0;
    // The desktop's warning sound, without waiting for it to end.
    virtual void playWarningSound() = 0;
    // Opens a web or mailto: address in the user's handler; the outcome is not reported.
    virtual void openAddress(const QString& address) = 0;
    // The desktop the wallpaper goes to, as shown in the About box ("GNOME", "X11 root"...).
    virtual QString desktopName() const = 0;
};
