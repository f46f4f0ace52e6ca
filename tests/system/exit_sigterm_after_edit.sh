#!/bin/sh
# A list edited since start-up is not lost when the session ends the program: Remove, then a
# title-bar close (the window goes away, the still-running notice opens, nothing is written),
# then SIGTERM while the notice is open: the edited list is saved and the program ends.
# With "tray" a notification area exists and the window is hidden; without one it is minimised.
# Usage: exit_sigterm_after_edit.sh PICTURE DISPLAY_NUMBER [tray]
set -eu
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2" "${3:-}"

a=$(picture_file a.bmp red)
b=$(picture_file b.bmp green)
c=$(picture_file c.bmp blue)
crlf "$a" "$b" "$c" >"$root/data/tessary/images.db"

start_picture
window=$(wait_window '^Tessary - a\.bmp \(1/3\)$')
remove_button "$window"
wait_window '^Tessary - b\.bmp \(1/2\)$' >/dev/null

# A close request through the window manager, as the title bar's close button makes it.
wmctrl -i -c "$window"
wait_window '^Still Running$' >/dev/null
alive || fail "a close without Exit ended the program"
state=$(xprop -id "$window" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p')
if [ "${3:-}" = tray ]; then
    [ "$state" != Normal ] && [ "$state" != Iconic ] || fail "window state \"$state\", not hidden"
else
    [ "$state" = Iconic ] || fail "window state \"$state\", not minimised (no notification area)"
fi
crlf "$a" "$b" "$c" | cmp -s - "$images_db" || fail "images.db was written by a hide"

kill -TERM "$pid"
wait_exit "SIGTERM with the notice open"
crlf "$b" "$c" | cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "edited list not saved"; }
echo PASS
