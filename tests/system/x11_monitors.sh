#!/bin/sh
# The real program drawing the X11 root on two monitors of different sizes (RandR monitors on one
# Xvfb screen): the picture is placed on each monitor by itself, with the fill around each, and
# Determine decides for each monitor's own size. Usage: x11_monitors.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
screen=1664x768x24 # a 1024 x 768 monitor on the left, a 640 x 480 one on its right
. "$(dirname "$0")/session_lib.sh"
session_start "$2"
need xrandr /usr/bin/python3
probe="/usr/bin/python3 $(dirname "$0")/../desktops/probe.py"
xrandr --setmonitor left 1024/271x768/203+0+0 screen >/dev/null &&
    xrandr --setmonitor right 640/169x480/127+1024+0 none >/dev/null || fail "xrandr --setmonitor"

# One picture, its left half red and its right half white, rotated every second.
run() {
    prepare_rotation
    convert -size "$2" xc:white -fill red -draw "rectangle 0,0 $((${2%x*} / 2 - 1)),${2#*x}" \
        -type TrueColor "BMP3:$root/picture.bmp" || fail "convert"
    printf '%s\r\n' "$root/picture.bmp" >"$root/data/tessary/images.db"
    sed -i "s/^\"Position\"=.*/\"Position\"=\"$1\"/; s/^\"Minimized\"=.*/\"Minimized\"=dword:00000001/" \
        "$root/config/tessary/settings.reg"
    start_picture
    shift 2
    $probe once "$root/data/tessary/image.bmp" "$@" || fail "$position is not placed on each monitor"
    stop_picture
}

# Centred on each monitor, not across the seam: the left one spans 384..639 x 320..447, the right
# one 1216..1471 x 176..303; the fill between.
position=Center
run Center 256x128 448,384=left 576,384=right 1280,240=left 1408,240=right 700,384=#000040 \
    1100,240=#000040 1344,400=#000040
# 2000 x 1000 is rescaled to the primary (left) monitor's width, 1024 x 512; the right monitor
# gets it at its own width, 640 x 320 (y 80..399), not the left's copy cut off.
position=Determine
run Determine 2000x1000 256,384=left 768,384=right 512,100=#000040 1184,240=left 1504,240=right \
    1344,40=#000040 1344,440=#000040
echo "PASS"
