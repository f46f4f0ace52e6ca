#include "wallpaper/DesktopBackendNull.h"

#include <cstdio>

DesktopBackendNull::DesktopBackendNull(QString why)
    : m_why(std::move(why)) {}

QString DesktopBackendNull::name() const {
    return QStringLiteral("none (%1)").arg(m_why);
}

void DesktopBackendNull::tellOnce() {
    if (m_told)
        return;
    m_told = true;
    std::fprintf(stderr, "tessary: the wallpaper cannot be set: %s\n", qPrintable(m_why));
}

void DesktopBackendNull::setWallpaper(const QString&, Placement) {
    tellOnce();
}

void DesktopBackendNull::setBackgroundColor(QColor) {
    tellOnce();
}

std::optional<QColor> DesktopBackendNull::backgroundColor() const {
    return std::nullopt;
}
