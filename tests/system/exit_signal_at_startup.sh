#!/bin/sh
# SIGTERM, SIGINT and SIGHUP while a start-up message box waits end the program with exit code 0:
# at once and without saving for the box of a bad setting (before the main window exists); as
# Exit does for the box of a first pick that cannot write image.bmp (the pick ends on the worker
# after the window is built), which saves the list as read.
# Usage: exit_signal_at_startup.sh PICTURE DISPLAY_NUMBER
set -eu
picture=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2"

settings="$root/config/tessary/settings.reg"
mkdir -p "$root/config/tessary"
write_settings() { # AutoStart Minutes
    settings_reg AutoStart="$1" Minutes="$2" >"$settings"
    cp "$settings" "$root/settings.before"
}

signal_box() { # SIGNAL WHAT
    wait_window '^Tessary$' >/dev/null
    kill "-$1" "$pid"
    wait_exit "SIG$1 during $2"
}

a=$(picture_file a.bmp red)
printf '%s\n' "$a" >"$root/data/tessary/images.db"
for signal in TERM INT HUP; do
    write_settings 0 abc
    start_picture
    signal_box "$signal" "the bad-setting box"
    cmp -s "$settings" "$root/settings.before" || fail "the bad setting was overwritten"

    write_settings 1 1
    mkdir -p "$root/data/tessary/image.bmp" # the first pick cannot write its picture
    start_picture
    wait_window '^Tessary - Wallpaper not changed: Cannot write ' >/dev/null
    signal_box "$signal" "the failed-first-pick box"
    printf '%s\r\n' "$a" | cmp -s - "$images_db" || fail "images.db not saved after SIG$signal"
    printf '%s\n' "$a" >"$images_db"
    rmdir "$root/data/tessary/image.bmp"
done
echo PASS
