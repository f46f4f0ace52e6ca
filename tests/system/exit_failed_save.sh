#!/bin/sh
# A save that fails at the end keeps the program running and loses nothing: with the data folder
# replaced by a regular file, SIGTERM shows the error and the program stays; once the folder is
# back, the next SIGTERM saves and ends it.
# Usage: exit_failed_save.sh PICTURE DISPLAY_NUMBER
set -eu
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2"

a=$(picture_file a.bmp red)
b=$(picture_file b.bmp green)
crlf "$a" "$b" >"$root/data/tessary/images.db"

start_picture
window=$(wait_window '^Tessary - a\.bmp \(1/2\)$')
remove_button "$window"
wait_window '^Tessary - b\.bmp \(1/1\)$' >/dev/null

mv "$root/data/tessary" "$root/data/aside"
echo "not a folder" >"$root/data/tessary"
kill -TERM "$pid"
box=$(wait_window '^Tessary$')
sleep 0.5
alive || fail "the program ended although nothing could be saved"
[ "$(cat "$root/data/tessary")" = "not a folder" ] || fail "the blocking file was changed"
crlf "$a" "$b" | cmp -s - "$root/data/aside/images.db" || fail "the old images.db was changed"

rm "$root/data/tessary"
mv "$root/data/aside" "$root/data/tessary"
xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
xdotool key Return
kill -TERM "$pid"
wait_exit "the second SIGTERM"
crlf "$b" | cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "list not saved on retry"; }
echo PASS
