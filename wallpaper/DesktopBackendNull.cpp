#include "wallpaper/DesktopBackendNull.h"

#include "app/platform/Errors.h"

#include <cstdio>

#include <QCoreApplication>

DesktopBackendNull::DesktopBackendNull(QString why, bool tell)
    : m_why(std::move(why))
    , m_tell(tell) {}

QString DesktopBackendNull::name() const {
    return QStringLiteral("none (%1)").arg(m_why);
}

void DesktopBackendNull::tellOnce() {
    if (m_told)
        return;
    m_told = true;
    std::fprintf(stderr, "tessary: the wallpaper cannot be set: %s\n", qPrintable(m_why));
    if (m_tell)
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The wallpaper cannot be set on this desktop: %1.")
                           .arg(m_why));
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
