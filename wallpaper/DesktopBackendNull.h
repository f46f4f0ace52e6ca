#pragma once

#include "wallpaper/DesktopBackend.h"

// For a session whose desktop we do not know: does nothing, and says so once on stderr.
class DesktopBackendNull : public DesktopBackend {
public:
    explicit DesktopBackendNull(QString why);
    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;

private:
    void tellOnce();
    QString m_why;
    bool m_told = false;
};
