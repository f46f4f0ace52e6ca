#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QProcessEnvironment>

#include <memory>

enum class DesktopKind { None, Gnome, Cinnamon, Mate, Kde, Xfce, Sway, X11 };

// Which backend a session gets, and why when that is not plain: the unknown desktop that fell
// back to the root window, or the reason nothing can be set.
struct DesktopChoice {
    DesktopKind kind = DesktopKind::None;
    QString note;

    bool operator==(const DesktopChoice&) const = default;
};

// Reads XDG_CURRENT_DESKTOP, then XDG_SESSION_DESKTOP, SWAYSOCK, WAYLAND_DISPLAY and DISPLAY.
// TESSARY_DESKTOP forces one ("gnome", "cinnamon", "mate", "kde", "xfce", "sway", "x11",
// "none") for tests and for misdetected sessions.
DesktopChoice chooseDesktop(const QProcessEnvironment& env);

// Builds the backend chooseDesktop() picks for this environment.
std::unique_ptr<DesktopBackend> createDesktopBackend(const QProcessEnvironment& env);
