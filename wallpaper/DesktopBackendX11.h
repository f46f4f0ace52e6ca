#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QImage>
#include <QList>
#include <QRect>

#include <memory>
#include <mutex>

// Any other X11 session: we draw the whole root background ourselves into a pixmap that outlives
// our connection, and publish it as _XROOTPMAP_ID and ESETROOT_PMAP_ID for pseudo-transparent
// programs and for the next setter, who frees it.
class DesktopBackendX11 : public DesktopBackend {
public:
    // display: the X display name ("" uses DISPLAY); note: why this session got the root window
    // (an unknown desktop), shown in the name.
    explicit DesktopBackendX11(QString display, QString note = {});
    ~DesktopBackendX11() override;

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setWallpaperDetermined(const QString& file, Placement placement) override;
    void setWallpaperPicture(const QString& file, Placement placement, bool determined,
                             const QImage& picture) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;
    void assumeBackgroundColor(QColor color) override;
    void assumeWallpaper(const QString& file, Placement placement) override;

    // The screen as we draw it: the fill, and the picture placed on it.
    static QImage compose(QSize screen, QColor fill, const QImage& picture, Placement placement);
    // The same with the picture placed on each monitor by itself (placeOnMonitor), the fill
    // around each; no monitors: the whole screen is one. Drawn bandRows rows at a time (0: all
    // at once), as the desktop is sent, each band looking as its part of the whole.
    static QImage composeMonitors(QSize screen, const QList<QRect>& monitors, QColor fill,
                                  const QImage& picture, Placement placement, bool determined,
                                  int bandRows = 0);
    // The monitors to place the picture on, from those RandR (1.5) and Xinerama report: RandR's,
    // unless Xinerama joins screens RandR does not see (X screens side by side, where RandR
    // reports only the first). None: the whole screen is one.
    static QList<QRect> chooseMonitors(const QList<QRect>& randr, const QList<QRect>& xinerama);

private:
    void publish(const QImage& picture, Placement placement, bool determined);
    void show(const QString& file, Placement placement, bool determined);
    // Whether some program has published a root pixmap.
    bool hasRootPixmap() const;
    // From the first picture on, a change of the monitors or of the screen's size places the
    // picture again, whether or not the rotation runs (needs an event loop).
    void followMonitors();
    void monitorsChanged();

    QString m_display;
    QString m_note;
    QColor m_color = Qt::black;
    QString m_file;
    Placement m_placement = Placement::Center;
    bool m_determined = false;
    // The layout the picture was last drawn for.
    QSize m_drawnScreen;
    QList<QRect> m_drawnMonitors;
    struct Watch;
    std::unique_ptr<Watch> m_watch;
    // Pictures are drawn from the worker, a monitor change is met on the interface thread: one
    // drawing at a time, over the same remembered picture and layout.
    std::mutex m_drawing;
};
