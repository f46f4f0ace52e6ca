#!/bin/sh
# A new user's first hour under openbox with a tray: Options OK after a restart keeps our tiled
# wallpaper on screen; a first picture that has gone does not lock the user out; the dialogs
# cannot be lost by minimising them, and closing them from the title bar is Cancel for Options
# and OK for the notice; the tray brings back a minimised window; only a left click on the
# banner opens About. Usage: first_hour_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
. "$(dirname "$0")/session_lib.sh"

session_start "$2" tray
need import
settings=$root/config/tessary/settings.reg
db=$root/data/tessary/images.db

state_of() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
in_view() { [ "$(state_of "$1")" = Normal ] && xwininfo -id "$1" | grep -q IsViewable; }
# A shown dialog window (not the main window) whose title matches.
dialog_window() {
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q DIALOG && { echo "$w"; return 0; }
    done
    return 1
}
wait_dialog() { wait_until "dialog_window '$1' >/dev/null" 10 || fail "no dialog \"$1\""; dialog_window "$1"; }
is_picture() { case $1 in '#FF0000' | '#00FF00' | '#0000FF') return 0 ;; esac; return 1; }

# Run one: the automatic first pick tiles a picture over the root; then Exit.
prepare_rotation
sed -i 's/^"Position"=.*/"Position"="Tile"/; s/^"Seconds"=.*/"Seconds"="0"/; s/^"Hours"=.*/"Hours"="1"/' \
    "$settings"
start_picture
main=$(wait_window '^Tessary - ')
wait_until 'is_picture "$(root_pixel 2 760)"' 10 || fail "no tiled picture on the root"
tile=$(root_pixel 2 760)
exit_button "$main"
wait_exit "Exit"

# Run two: the first entry has gone. One message, then the whole list with that entry selected,
# no preview, and Remove at hand.
sed -i 's/^"AutoStart"=.*/"AutoStart"=dword:00000000/; s/^"MinimizeTell"=.*/"MinimizeTell"=dword:00000001/' \
    "$settings"
{ printf '%s\r\n' "$root/pictures/gone.jpg"; cat "$db"; } >"$root/db.new" && mv "$root/db.new" "$db"
start_picture
box=$(wait_dialog '^Tessary$')
xdotool windowactivate --sync "$box" key Return
wait_until '! dialog_window "^Tessary$" >/dev/null' 5 || fail "the message stays"
main=$(wait_window '^Tessary$')
sleep 0.5
dialog_window '^Tessary$' >/dev/null && fail "a second message at start-up"
remove_button "$main"
wait_window '^Tessary - red\.bmp \(1/3\)$' >/dev/null

# Options: minimised by the window manager, it comes back with the main window; OK keeps the
# tiled picture on screen, only the colour around pictures may change.
button_at "$main" 59 1
options=$(wait_dialog '^Tessary - Options$')
xdotool windowminimize "$options"
sleep 0.5
wait_until 'in_view "$options" && in_view "$main"' 5 || fail "minimised Options did not come back"
click_at "$options" 116 316
wait_until '! dialog_window "Options" >/dev/null' 5 || fail "OK did not close Options"
sleep 0.5
[ "$(root_pixel 2 760)" = "$tile" ] || fail "Options OK replaced the wallpaper: $(root_pixel 2 760)"
# Closed from its title bar, Options is cancelled.
button_at "$main" 59 1
options=$(wait_dialog '^Tessary - Options$')
wmctrl -i -c "$options"
wait_until '! dialog_window "Options" >/dev/null' 5 || fail "a close request left Options open"

# The notice after hiding from the tray: minimised it comes back; closed from its title bar with
# "don't show again" ticked, the choice is kept.
tray_click 1 2
notice=$(wait_dialog '^Still Running$')
xdotool windowminimize "$notice"
sleep 0.5
wait_until 'in_view "$notice"' 5 || fail "minimised notice did not come back"
click_at "$notice" 14 72
wmctrl -i -c "$notice"
wait_until '! dialog_window "Still Running" >/dev/null' 5 || fail "a close request left the notice open"
grep -q '^"MinimizeTell"=dword:00000000$' "$settings" || fail "the notice's choice was dropped"

# A minimised main window is not shown: one double click brings it back.
tray_click 1 2
wait_until 'in_view "$main"' 5 || fail "double click did not show the window"
# Asked again until openbox, which may still be mapping the window, has taken the request.
wait_until 'xdotool windowminimize "$main"; sleep 0.2; [ "$(state_of "$main")" = Iconic ]' 5 ||
    fail "the window did not minimise"
tray_click 1 2
wait_until 'in_view "$main"' 5 || fail "double click did not restore the minimised window"

# Only a left click on the banner opens About.
xdotool mousemove --window "$main" 100 20 click 3
sleep 1
dialog_window '^About Tessary$' >/dev/null && fail "a right click on the banner opened About"
click_at "$main" 100 20
about=$(wait_dialog '^About Tessary$')
wmctrl -i -c "$about"
wait_until '! dialog_window "About" >/dev/null' 5 || fail "About stays open"

exit_button "$main"
wait_exit "Exit"
crlf "$root/pictures/red.bmp" "$root/pictures/lime.bmp" "$root/pictures/blue.bmp" | cmp -s - "$db" ||
    { od -c "$db" >&2; fail "images.db after Exit"; }
echo PASS
