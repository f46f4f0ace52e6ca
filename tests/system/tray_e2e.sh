#!/bin/sh
# The tray icon of the real program under an XEmbed tray (trayer): docked as a small window,
# right click opens the menu, double click hides and shows the window, a picture that has gone
# is told about at the icon, the icon comes back when the tray restarts, the tip shown over the
# icon follows the countdown; without any tray, closing the window minimises it instead of
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

# The tip over the icon is drawn again with each new time while it is shown.
stop_picture
prepare_rotation # no message about the picture removed above may cover the icon
settings_reg AutoStart=1 Minutes=0 Seconds=30 >"$root/config/tessary/settings.reg"
start_picture
wait_window '^Tessary - ' >/dev/null
tip_window() {
    for w in $(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) .*("picture" "Tessary").*/\1/p'); do
        [ "$(window_state "$w")" = IsViewable ] &&
            xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && { echo "$w"; return 0; }
    done
    return 1
}
# The pointer enters the icon from outside, again if trayer has moved the icon meanwhile.
hover_icon() {
    xdotool mousemove 0 300
    tray_click
    wait_until 'tip_window >/dev/null' 4
}
wait_until hover_icon 1 || { xwininfo -root -tree | grep '"picture"' >&2; fail "no tip over the icon"; }
import -window "$(tip_window)" "$root/tip1.png" || fail "cannot read the tip"
sleep 1.5
tip=$(tip_window) || fail "the tip went away under the pointer"
import -window "$tip" "$root/tip2.png" || fail "cannot read the tip"
compare -metric AE "$root/tip1.png" "$root/tip2.png" null: 2>/dev/null &&
    fail "the tip shown kept its time for 1.5 s"
xdotool mousemove 0 300

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
