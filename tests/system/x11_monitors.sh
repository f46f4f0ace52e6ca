#!/bin/sh
# The real program drawing the X11 root on two monitors of different sizes (RandR monitors on one
# Xvfb screen): the picture is placed on each monitor by itself, with the fill around each, and
# Determine decides for each monitor's own size. Usage: x11_monitors.sh PICTURE
set -u
picture=$1
probe="/usr/bin/python3 $(dirname "$0")/../desktops/probe.py"
root=$(mktemp -d)
pids=
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "FAIL: $*" >&2
    [ -f "$root/out.log" ] && sed 's/^/  picture: /' "$root/out.log" >&2
    exit 1
}
for tool in Xvfb openbox xrandr xprop convert /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
wait_until() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -le $(($2 * 10)) ] || return 1
        sleep 0.1
    done
}

# A 1024 x 768 monitor on the left, a 640 x 480 one on its right.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1664x768x24 3>"$root/display" >/dev/null 2>&1 &
pids=$!
wait_until '[ -s "$root/display" ]' 10 || fail "Xvfb did not start"
DISPLAY=:$(cat "$root/display")
export DISPLAY
xrandr --setmonitor left 1024/271x768/203+0+0 screen >/dev/null &&
    xrandr --setmonitor right 640/169x480/127+1024+0 none >/dev/null || fail "xrandr --setmonitor"
export HOME=$root/home XDG_CONFIG_HOME=$root/home/config XDG_DATA_HOME=$root/home/data \
    XDG_CACHE_HOME=$root/home/cache XDG_RUNTIME_DIR=$root/home/runtime
mkdir -p "$XDG_CONFIG_HOME/tessary" "$XDG_DATA_HOME/tessary" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
pids="$! $pids"
wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' 10 || fail "no openbox"

# One picture, its left half red and its right half white, rotated every second.
run() {
    convert -size "$2" xc:white -fill red -draw "rectangle 0,0 $((${2%x*} / 2 - 1)),${2#*x}" \
        -type TrueColor "BMP3:$root/picture.bmp" || fail "convert"
    printf '%s\r\n' "$root/picture.bmp" >"$XDG_DATA_HOME/tessary/images.db"
    cat >"$XDG_CONFIG_HOME/tessary/settings.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Colors]
"Background"="0 0 64"

[HKEY_CURRENT_USER\Software\Halvane Software\Tessary]
"AutoStart"=dword:00000001
"Hours"="0"
"Minimized"=dword:00000001
"MinimizeTell"=dword:00000000
"Minutes"="0"
"Position"="$1"
"Seconds"="1"
REG
    TESSARY_DESKTOP=x11 QT_QPA_PLATFORM=xcb "$picture" >"$root/out.log" 2>&1 &
    pid=$!
    shift 2
    $probe once "$XDG_DATA_HOME/tessary/image.bmp" "$@" || fail "$position is not placed on each monitor"
    kill "$pid" && wait "$pid" 2>/dev/null
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
