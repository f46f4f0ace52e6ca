#include "wallpaper/DesktopBackendLoader.h"

#include "wallpaper/DesktopBackendNull.h"

std::unique_ptr<DesktopBackend> createDesktopBackend(const QProcessEnvironment& env)
{
    Q_UNUSED(env);
    return std::make_unique<DesktopBackendNull>(QStringLiteral("no desktop backend yet"));
}
