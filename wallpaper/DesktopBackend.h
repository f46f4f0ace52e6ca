#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

// Where the wallpaper goes on this desktop. Our own placement words are translated by each
// backend; a desktop's words are never passed through.
enum class Placement { Center, Tile, Stretch };

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    // The desktop's name for the About box and the log ("GNOME", "X11 root"...).
    virtual QString name() const = 0;
    // Shows the picture file as wallpaper. The same path may hold a rewritten file: the desktop
    // must show the new content. Throws AppError when the desktop refuses.
    virtual void setWallpaper(const QString& file, Placement placement) = 0;
    // As setWallpaper (setWallpaperDetermined when determined), with the picture the file has
    // just been written from, in memory. A backend that draws the wallpaper itself takes it from
    // here: reading the file back would cost a second copy, and may fail for a picture larger
    // than Qt's reader allows.
    virtual void setWallpaperPicture(const QString& file, Placement placement, bool determined,
                                     const QImage& picture) {
        Q_UNUSED(picture);
        if (determined)
            setWallpaperDetermined(file, placement);
        else
            setWallpaper(file, placement);
    }
    // True when setWallpaperPicture may run on a worker thread while the interface thread
    // goes on (never two calls at once): the backend then keeps no object tied to a thread.
    virtual bool showsFromWorker() const { return true; }
    // The same for a placement the automatic rule determined for the primary screen: a backend
    // that places the picture on each monitor itself decides again for each monitor's size.
    virtual void setWallpaperDetermined(const QString& file, Placement placement) {
        setWallpaper(file, placement);
    }
    // Sets the colour shown where no picture covers the desktop.
    virtual void setBackgroundColor(QColor color) = 0;
    // The desktop's current background colour, when the desktop keeps one.
    virtual std::optional<QColor> backgroundColor() const = 0;
    // The colour the desktop was last given, for a backend that draws the fill itself and cannot
    // read it back: the next wallpaper uses it. Changes nothing on screen.
    virtual void assumeBackgroundColor(QColor color) { Q_UNUSED(color); }
    // The wallpaper an earlier run left on screen, for a backend that draws the picture itself:
    // a new colour is drawn around it instead of replacing it. Changes nothing on screen.
    virtual void assumeWallpaper(const QString& file, Placement placement) {
        Q_UNUSED(file);
        Q_UNUSED(placement);
    }
};
