#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QProcessEnvironment>

#include <memory>

enum class DesktopKind { None, Gnome, Cinnamon, Mate, Kde, Xfce, Sway, Swaybg, X11 };

// Which backend a session gets, and why when that is not plain: the unknown desktop that fell
// back to the root window or to swaybg, or the reason nothing can be set. tell: nothing can be
// set and the user did not ask for that, so the user must be told.
struct DesktopChoice {
    DesktopKind kind = DesktopKind::None;
    QString note;
    bool tell = false;

    bool operator==(const DesktopChoice&) const = default;
};

// Reads XDG_CURRENT_DESKTOP, then XDG_SESSION_DESKTOP, SWAYSOCK, WAYLAND_DISPLAY and DISPLAY.
// TESSARY_DESKTOP forces one ("gnome", "cinnamon", "mate", "kde", "xfce", "sway", "swaybg",
// "x11", "none") for tests and for misdetected sessions. A Wayland desktop we do not know gets
// swaybg (the wlroots background layer) when it is installed; never the root window of
// Xwayland, which nobody sees.
DesktopChoice chooseDesktop(const QProcessEnvironment& env, bool swaybgInstalled);

// Every word TESSARY_DESKTOP accepts (in any case), in the order the program lists them.
QStringList forcedDesktopWords();

// Builds the backend chooseDesktop() picks for this environment.
std::unique_ptr<DesktopBackend> createDesktopBackend(const QProcessEnvironment& env);
