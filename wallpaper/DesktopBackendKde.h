#pragma once

#include "wallpaper/DesktopBackend.h"

// KDE Plasma: a script for plasmashell's evaluateScript over the session bus, one per change.
class DesktopBackendKde : public DesktopBackend {
public:
    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;

    // The scripts sent for a wallpaper and for a colour, exposed for tests.
    static QString wallpaperScript(const QString& file, Placement placement);
    static QString colorScript(QColor color);
    // Plasma's image "FillMode" for a placement.
    static int fillMode(Placement placement);

private:
    static void evaluate(const QString& script);
};
