#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QProcessEnvironment>

#include <memory>

// Chooses the backend for this session from its environment. TESSARY_DESKTOP forces one
// ("gnome", "cinnamon", "mate", "kde", "xfce", "sway", "x11", "none") for tests and for
// misdetected sessions.
std::unique_ptr<DesktopBackend> createDesktopBackend(const QProcessEnvironment& env);
