#!/bin/sh
# The tray icon of the real program under an XEmbed tray (trayer): docked as a small window,
# right click opens the menu, double click hides and shows the window, a picture that has gone
# is told about at the icon, the icon comes back
# when the tray restarts; without any tray, closing the window minimises it instead of
# hiding it where nothing could bring it back. Usage: tray_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
. "$(dirname "$0")/session_lib.sh"

window_state() { xwininfo -id "$1" | sed -n 's/.*Map State: //p'; }

session_start "$2" tray
prepare_rotation
start_picture
main=$(wait_window '^Tessary - ')
wait_until tray_icon_docked 10 || { xwininfo -root -tree >&2; fail "no tray icon under trayer"; }

# Right click: the pop-up menu opens at the icon.
tray_click 3
# The menu is an override-redirect window of ours, larger than the icon, mapped.
menu_open() {
    for w in $(xwininfo -root -tree |
        sed -n 's/^ *\(0x[0-9a-f]*\) "Tessary": ("picture" "Tessary")  [0-9]\{3\}x[0-9]\{3\}+.*/\1/p'); do
        [ "$(window_state "$w")" = IsViewable ] && return 0
    done
    return 1
}
wait_until menu_open 5 || fail "right click on the icon opened no menu"
xdotool key Escape

# Double click: Show/Hide.
[ "$(window_state "$main")" = IsViewable ] || fail "main window not shown at start"
tray_click 1 2
wait_until '[ "$(window_state "$main")" = IsUnMapped ]' 5 || fail "double click did not hide"
tray_click 1 2
wait_until '[ "$(window_state "$main")" = IsViewable ]' 5 || fail "double click did not show"

# A picture that has gone is told about at the icon, in a passing message window; the
# rotation goes on.
balloon_shown() {
    for w in $(xwininfo -root -tree |
        sed -n 's/^ *\(0x[0-9a-f]*\) "Tessary": ("picture" "Tessary")  [0-9]\{3\}x[0-9]\{2,3\}+.*/\1/p'); do
        [ "$w" != "$main" ] && [ "$(window_state "$w")" = IsViewable ] && return 0
    done
    return 1
}
balloon_shown && fail "a message window is open before any failure"
rm "$root/pictures/blue.bmp"
wait_until balloon_shown 10 || fail "no message at the icon about the missing picture"
kill -0 "$pid" 2>/dev/null || fail "the program ended"

# The tray restarts: the icon docks again by itself.
stop_tray
wait_until '! tray_icon_docked' 5 || fail "icon still docked after trayer ended"
start_tray
wait_until tray_icon_docked 10 || fail "icon not back after the tray restarted"
kill -0 "$pid" 2>/dev/null || fail "the program ended"

# No tray at all: a close request minimises; the window stays reachable.
stop_picture
stop_tray
prepare_rotation # the picture removed above would fail the first pick, with a message box
start_picture
main=$(wait_window '^Tessary - ')
wmctrl -i -c "$main"
wait_until 'xprop -id "$main" WM_STATE | grep -q "window state: Iconic"' 5 ||
    { xprop -id "$main" WM_STATE >&2; fail "close without a tray did not minimise"; }
kill -0 "$pid" 2>/dev/null || fail "the program ended on close"
wmctrl -i -a "$main"
wait_until '[ "$(window_state "$main")" = IsViewable ]' 5 || fail "minimised window not restorable"
echo "PASS"
