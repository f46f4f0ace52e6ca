#!/bin/sh
# A dialog never stays hidden behind a window it blocks. With Options open, a double click on
# the tray icon hides the main window and opens the still-running notice over Options, and a
# click on Options leaves the notice in front; the main window comes back (a second double
# click, or a second start of the program), OK closes the notice: Options is then in front of
# the main window, a click on the main window brings Options forward again, and after Cancel
# the main window answers.
# Usage: dead_window_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
. "$(dirname "$0")/session_lib.sh"

session_start "$2" tray
mkdir -p "$root/config/tessary"
settings_reg MinimizeTell=1 >"$root/config/tessary/settings.reg"
start_picture
main=$(wait_window '^Tessary$')
wait_until tray_icon_docked 10 || fail "no tray icon under trayer"

map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }
size_of() { # prints "WIDTH HEIGHT"
    xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'
}
# Whether the first window is stacked above the second: the window manager lists its clients
# bottom first.
above() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //' | tr ',' '\n' |
        awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" '
            { sub(/^ +/, "") } $0 == a { ia = NR } $0 == b { ib = NR }
            END { exit !(ia && ib && ia > ib) }'
}
stacking() { # for failure messages
    for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //; s/,//g'); do
        printf '%s ' "$(xprop -id "$w" WM_NAME | sed 's/^[^"]*//')"
    done
}

open_options() {
    button_at "$main" 59 1
    options=$(wait_window '^Tessary - Options$')
}

# Options open, the main window hidden with the notice over Options, the main window brought
# back by $1, the notice closed with OK.
hide_and_bring_back() {
    tray_click 1 2
    notice=$(wait_window '^Still Running$')
    wait_until '[ "$(map_state "$main")" = IsUnMapped ]' 5 ||
        fail "$1: the double click did not hide the main window"
    # Options, which the notice blocks, never covers it: not even when clicked.
    click_beside "$options" "$notice"
    ! wait_until 'above "$options" "$notice"' 1 ||
        fail "$1: a click on Options hid the notice: $(stacking)"
    case $1 in
    "double click") tray_click 1 2 ;;
    "second start")
        in_home "$picture" >"$root/second.log" 2>&1 || fail "the second start ended with $?" ;;
    esac
    wait_until '[ "$(map_state "$main")" = IsViewable ]' 5 || fail "$1 did not show the main window"
    [ "$(map_state "$notice")" = IsViewable ] || fail "$1: the notice went away by itself"
    # OK is centred at the bottom of the notice.
    set -- "$1" $(size_of "$notice")
    click_at "$notice" $(($2 / 2)) $(($3 - 20))
    wait_until '[ "$(map_state "$notice")" != IsViewable ]' 5 ||
        fail "$1: OK did not close the notice"
}

# Clicks the first window at its left edge, beside the second one.
click_beside() {
    left_of() { xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p'; }
    [ $(($(left_of "$1") + 6)) -lt "$(left_of "$2")" ] || fail "no room to click beside a window"
    set -- "$1" $(size_of "$1")
    click_at "$1" 6 $(($3 / 2))
}

for way in "double click" "second start"; do
    open_options
    hide_and_bring_back "$way"
    wait_until 'above "$options" "$main"' 5 ||
        fail "$way: Options is stacked below the main window it blocks: $(stacking)"
    # Raised over Options first, as the window manager raises a clicked window: the click on
    # the blocked main window has to bring Options back.
    xdotool windowraise "$main"
    wait_until 'above "$main" "$options"' 5 || fail "the main window could not be raised"
    click_beside "$main" "$options"
    wait_until 'above "$options" "$main"' 5 ||
        fail "$way: a click on the blocked main window left Options behind it: $(stacking)"
    # Escape is Cancel.
    xdotool key Escape
    wait_until '[ "$(map_state "$options")" != IsViewable ]' 5 ||
        fail "$way: Cancel did not close Options"
done
# The main window answers again: its Options button opens Options.
open_options
xdotool key Escape
wait_until '[ "$(map_state "$options")" != IsViewable ]' 5 || fail "Cancel did not close Options"
alive || fail "the program ended"
echo "PASS"
