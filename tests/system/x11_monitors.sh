#!/bin/sh
# The real program drawing the X11 root on two monitors of different sizes (RandR monitors on one
# Xvfb screen, and two X screens side by side under Xinerama in Xephyr): the picture is placed on
# each monitor by itself, with the fill around each, and Determine decides for each monitor's own
# size; a change of the monitors places it again at once, the rotation stopped.
# Usage: x11_monitors.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
screen=1664x768x24 # a 1024 x 768 monitor on the left, a 640 x 480 one on its right
. "$(dirname "$0")/session_lib.sh"
# A notification area, so that the window started hidden stays out of the picture.
session_start "$2" tray
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
}

# Centred on each monitor, not across the seam: the left one spans 384..639 x 320..447, the right
# one 1216..1471 x 176..303; the fill between.
position=Center
run Center 256x128 448,384=left 576,384=right 1280,240=left 1408,240=right 700,384=#000040 \
    1100,240=#000040 1344,400=#000040
stop_picture

# Stopped, the picture of the run before is ours still: one monitor over the whole screen instead
# of two puts it in the middle, without waiting for a next picture.
sed -i 's/^"AutoStart"=.*/"AutoStart"=dword:00000000/' "$root/config/tessary/settings.reg"
start_picture
wait_until 'grep -q "wallpaper backend" "$root/picture.log"' 10 || fail "the program did not start"
sleep 0.5
xrandr --delmonitor left >/dev/null && xrandr --delmonitor right >/dev/null ||
    fail "xrandr --delmonitor"
wait_until '$probe pixels 768,384=- 448,384=- 1216,240=- | grep -qx "#ff0000 #000040 #000040"' 5 ||
    fail "a change of the monitors does not place the picture again: $($probe pixels 768,384=- \
        448,384=- 1216,240=-)"
stop_picture
xrandr --setmonitor left 1024/271x768/203+0+0 screen >/dev/null &&
    xrandr --setmonitor right 640/169x480/127+1024+0 none >/dev/null || fail "xrandr --setmonitor"
# 2000 x 1000 is rescaled to the primary (left) monitor's width, 1024 x 512; the right monitor
# gets it at its own width, 640 x 320 (y 80..399), not the left's copy cut off.
position=Determine
run Determine 2000x1000 256,384=left 768,384=right 512,100=#000040 1184,240=left 1504,240=right \
    1344,40=#000040 1344,440=#000040
stop_picture

# Two X screens joined by Xinerama, of which RandR reports only the first: the picture is centred
# on each (272..527 x 236..363 and 1072..1327 x 236..363).
if command -v Xephyr >/dev/null 2>&1; then
    xephyr=:$(($2 + 1))
    Xephyr "$xephyr" +xinerama -screen 800x600 -screen 800x600 -nolisten tcp \
        >"$root/xephyr.log" 2>&1 &
    helpers="$! $helpers"
    wait_until "DISPLAY=$xephyr xprop -root >/dev/null 2>&1" 10 || fail "Xephyr did not start"
    DISPLAY=$xephyr
    start_tray
    position=Center
    run Center 256x128 336,300=left 464,300=right 1136,300=left 1264,300=right 700,300=#000040 \
        900,300=#000040
    stop_picture
else
    echo "Xinerama not checked: Xephyr is not installed (package xserver-xephyr)"
fi
echo "PASS"
