#pragma once

#include "wallpaper/DesktopBackend.h"

// sway and other wlroots compositors speaking its IPC: "output * bg FILE MODE #rrggbb" over the
// socket SWAYSOCK names.
class DesktopBackendSway : public DesktopBackend {
public:
    explicit DesktopBackendSway(QString socketPath);

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;
    void assumeBackgroundColor(QColor color) override;

    // Our placement in the words of sway and swaybg.
    static QString modeWord(Placement placement);
    // The command for a picture with a fill colour, and for the colour alone.
    static QString pictureCommand(const QString& file, Placement placement, QColor color);
    static QString colorCommand(QColor color);

private:
    void run(const QString& command) const;

    QString m_socketPath;
    QColor m_color = Qt::black;
    QString m_file;
    Placement m_placement = Placement::Center;
};
