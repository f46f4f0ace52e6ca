#pragma once

#include "wallpaper/DesktopBackend.h"

// For a session whose desktop we cannot set: does nothing, and says so once on stderr. Unless
// the user asked for it (tell false), the first attempt also fails with the reason, so the user
// sees it once; later ones pass quietly.
class DesktopBackendNull : public DesktopBackend {
public:
    explicit DesktopBackendNull(QString why, bool tell = false);
    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;

private:
    void tellOnce();
    QString m_why;
    bool m_tell;
    bool m_told = false;
};
