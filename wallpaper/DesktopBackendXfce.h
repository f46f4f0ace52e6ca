#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QStringList>

#include <functional>

// XFCE: the xfce4-desktop channel of xfconf over the session bus. Every monitor and workspace
// the desktop knows gets the picture, and so does each connected monitor it has no entry for yet,
// on every workspace.
class DesktopBackendXfce : public DesktopBackend {
public:
    using MonitorNames = std::function<QStringList()>;

    // monitorNames lists the connected monitors (default: the names of Qt's screens).
    explicit DesktopBackendXfce(MonitorNames monitorNames = {});

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;

    // xfdesktop's "image-style" for a placement.
    static int imageStyle(Placement placement);

private:
    QStringList workspacePaths() const;
    MonitorNames m_monitorNames;
};
