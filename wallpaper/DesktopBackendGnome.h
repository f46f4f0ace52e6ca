#pragma once

#include "wallpaper/DesktopBackend.h"

// GNOME (also Unity and Budgie), Cinnamon and MATE: the same GSettings keys under three schemas.
// A missing schema or key is reported, never written: GLib aborts the process on either.
class DesktopBackendGnome : public DesktopBackend {
public:
    enum class Flavour { Gnome, Cinnamon, Mate };

    explicit DesktopBackendGnome(Flavour flavour);

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;

    // The "picture-options" word for a placement, the same in all three schemas.
    static QString optionWord(Placement placement);

private:
    Flavour m_flavour;
};
