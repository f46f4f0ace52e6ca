#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QImage>

// Any other X11 session: we draw the whole root background ourselves into a pixmap that outlives
// our connection, and publish it as _XROOTPMAP_ID and ESETROOT_PMAP_ID for pseudo-transparent
// programs and for the next setter, who frees it.
class DesktopBackendX11 : public DesktopBackend {
public:
    // display: the X display name ("" uses DISPLAY); note: why this session got the root window
    // (an unknown desktop), shown in the name.
    explicit DesktopBackendX11(QString display, QString note = {});

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;
    void assumeBackgroundColor(QColor color) override;
    void assumeWallpaper(const QString& file, Placement placement) override;

    // The screen as we draw it: the fill, and the picture placed on it.
    static QImage compose(QSize screen, QColor fill, const QImage& picture, Placement placement);

private:
    void publish(const QImage& picture, Placement placement);
    // Whether some program has published a root pixmap.
    bool hasRootPixmap() const;

    QString m_display;
    QString m_note;
    QColor m_color = Qt::black;
    QString m_file;
    Placement m_placement = Placement::Center;
};
