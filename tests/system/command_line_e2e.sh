#!/bin/sh
# Opening pictures with Tessary from a file manager (the desktop entry's %F) or a terminal:
# --help and --version answer without a display or a running copy, an unknown option is an
# error with status 2; files and folders given to a first start are in its list, those given
# to a later start go to the running copy (the later one ends with 0), anything else is named
# in a message box; while the rotation runs, adding is refused with a message.
# Usage: command_line_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2"

out=$(env -u DISPLAY "$picture" --help) || fail "--help ended with $?"
echo "$out" | grep -q '^Usage: ' || fail "--help printed: $out"
[ "$(env -u DISPLAY "$picture" --version)" = "tessary $(sed -n 's/.*TESSARY_VERSION "\(.*\)"/\1/p' \
    "$(dirname "$picture")/../generated/app/Version.h")" ] || fail "--version"
code=0
err=$(env -u DISPLAY "$picture" --bogus 2>&1 >/dev/null) || code=$?
[ "$code" -eq 2 ] && [ "$(echo "$err" | wc -l)" -eq 1 ] || fail "--bogus: status $code, \"$err\""

images_db=$root/data/tessary/images.db
a=$(picture_file a.bmp red)
mkdir -p "$root/pictures/more/deeper"
convert -size 8x6 xc:blue "JPEG:$root/pictures/more/deeper/c.jpg"
convert -size 8x6 xc:lime "BMP3:$root/pictures/more/b.BMP"
echo text >"$root/pictures/more/notes.txt"
echo text >"$root/pictures/notes.txt"
: >"$root/data/tessary/images.db"
mkdir -p "$root/config/tessary"
settings_reg Minutes=0 Seconds=1 >"$root/config/tessary/settings.reg"

# A first start with a picture, given relative to the working folder.
(cd "$root/pictures" && in_home_exec "$picture" a.bmp) >"$root/picture.log" 2>&1 &
pid=$!
main=$(wait_window '^Tessary - a\.bmp \(1/1\)$')

# A later start hands a folder and a text file to the running copy and ends.
in_home "$picture" "$root/pictures/more" "$root/pictures/notes.txt" >"$root/later.log" 2>&1 ||
    fail "the later start ended with $?"
box=$(wait_window '^Tessary$')
xdotool windowactivate --sync "$box" key Return
wait_window '^Tessary - b\.BMP \(2/3\)$' >/dev/null

# Rotating: a later start's file is refused with a message, the list stays as it is.
button_at "$main" 59 0
wait_until '[ -s "$root/data/tessary/image.bmp" ]' 5 || fail "the rotation did not start"
in_home "$picture" "$a" >>"$root/later.log" 2>&1 || fail "the later start ended with $?"
box=$(wait_window '^Tessary$')
xdotool windowactivate --sync "$box" key Return
button_at "$main" 59 0
exit_button "$main"
wait_exit "Exit"
crlf "$root/pictures/a.bmp" "$root/pictures/more/b.BMP" "$root/pictures/more/deeper/c.jpg" |
    cmp -s - "$images_db" || { od -c "$images_db" >&2; fail "images.db after Exit"; }
echo PASS
