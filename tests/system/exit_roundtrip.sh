#!/bin/sh
# The real program keeps its list across runs: started with a prepared images.db (LF line ends),
# ended with its Exit button, started again: the same list is back, written with CR LF; a
# termination signal then ends it through the same save path.
# Usage: exit_roundtrip.sh PICTURE DISPLAY_NUMBER
set -eu
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2"

a=$(picture_file a.bmp red)
b=$(picture_file b.bmp green)
c=$(picture_file c.bmp blue)
printf '%s\n%s\n%s' "$b" "$a" "$c" >"$root/data/tessary/images.db"

start_picture
window=$(wait_window '^Tessary - b\.bmp \(1/3\)$')
exit_button "$window"
wait_exit "Exit"
crlf "$b" "$a" "$c" | cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "images.db after Exit"; }
grep -q '^"Minutes"="1"$' "$root/config/tessary/settings.reg" || fail "settings not saved at Exit"

start_picture
wait_window '^Tessary - b\.bmp \(1/3\)$' >/dev/null
kill -TERM "$pid"
wait_exit "SIGTERM"
crlf "$b" "$a" "$c" | cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "images.db after SIGTERM"; }
[ -z "$(ls "$root/data/tessary" | grep -v -e '^images\.db$' -e '^image\.bmp$')" ] ||
    fail "temporary files left: $(ls "$root/data/tessary")"
echo PASS
