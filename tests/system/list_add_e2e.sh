#!/bin/sh
# Pictures added through the real file chooser are kept across runs: started with one picture,
# two more chosen at once in the Add dialog (typed as the user would, after a name that does not
# exist was refused), Exit, started again: the
# list is back in sorted order with CR LF line ends.
# Usage: list_add_e2e.sh PICTURE DISPLAY_NUMBER
set -eu
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2"

a=$(picture_file a.bmp red)
b=$(picture_file b.bmp green)
c=$(picture_file c.bmp blue)
crlf "$c" >"$root/data/tessary/images.db"

start_picture
window=$(wait_window '^Tessary - c\.bmp \(1/1\)$')
add_button() { button_at "$1" 105 0; }
add_button "$window"
dialog=$(wait_window '^Open$')
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
# A typed name that does not exist is told about, and the chooser stays open.
xdotool type --delay 5 "\"$b\" \"$root/pictures/gone.jpg\""
xdotool key Return
wait_until '[ "$(xdotool search --onlyvisible --name "^Open$" | wc -l)" -eq 2 ]' 5 ||
    fail "no word about the missing file"
xdotool key Return
wait_until '[ "$(xdotool search --onlyvisible --name "^Open$" | wc -l)" -eq 1 ]' 5 ||
    fail "the chooser closed"
xdotool key ctrl+a
xdotool type --delay 5 "\"$b\" \"$a\""
xdotool key Return
# The first chosen path is shown, at its place in the now sorted list.
wait_window '^Tessary - b\.bmp \(2/3\)$' >/dev/null
exit_button "$window"
wait_exit "Exit"
crlf "$a" "$b" "$c" | cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "images.db after Exit"; }

start_picture
wait_window '^Tessary - a\.bmp \(1/3\)$' >/dev/null
kill -TERM "$pid"
wait_exit "SIGTERM"
echo PASS
