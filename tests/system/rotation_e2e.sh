#!/bin/sh
# The real program rotating under X with a tray: AutoStart and a one-second period rewrite
# image.bmp every second, the caption follows the picks, and the X11 root shows the pictures.
# Usage: rotation_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
. "$(dirname "$0")/session_lib.sh"

session_start "$2" tray
need import md5sum
prepare_rotation
sed -i 's/^"Position"=.*/"Position"="Tile"/' "$root/config/tessary/settings.reg"
start_picture
wait_window '^Tessary - ' >/dev/null
bmp=$root/data/tessary/image.bmp
wait_until '[ -s "$bmp" ]' 10 || fail "no image.bmp"

# Sample for six seconds: the file's time stamp, its content, the caption and a root pixel
# that the main window does not cover (the pictures are tiled over the whole screen).
x11=no
grep -q 'X11 root' "$root/picture.log" && x11=yes
: >"$root/samples"
i=0
while [ $i -lt 24 ]; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended"
    stamp=$(stat -c %y "$bmp")
    sum=$(md5sum <"$bmp" | cut -d' ' -f1)
    caption=$(xdotool search --name '^Tessary - ' getwindowname %1 2>/dev/null)
    pixel=-
    if [ $x11 = yes ]; then
        pixel=$(root_pixel 10 760)
    fi
    echo "$stamp|$sum|$caption|$pixel" >>"$root/samples"
    sleep 0.25
    i=$((i + 1))
done

stamps=$(cut -d'|' -f1 "$root/samples" | sort -u | wc -l)
contents=$(cut -d'|' -f2 "$root/samples" | sort -u | wc -l)
captions=$(cut -d'|' -f3 "$root/samples" | sort -u | grep -c 'Tessary - \(red\|lime\|blue\)\.bmp ([123]/3)')
[ "$stamps" -ge 4 ] || { cat "$root/samples" >&2; fail "image.bmp was rewritten $stamps times in 6 s"; }
[ "$contents" -ge 2 ] || { cat "$root/samples" >&2; fail "image.bmp never changed content"; }
[ "$captions" -ge 2 ] || { cat "$root/samples" >&2; fail "the caption did not follow the picks"; }
if [ $x11 = yes ]; then
    xprop -root _XROOTPMAP_ID | grep -q 'pixmap id' || fail "no _XROOTPMAP_ID on the root"
    colours=$(cut -d'|' -f4 "$root/samples" | grep -c '^#\(FF0000\|00FF00\|0000FF\)$')
    distinct=$(cut -d'|' -f4 "$root/samples" | grep '^#\(FF0000\|00FF00\|0000FF\)$' | sort -u | wc -l)
    [ "$colours" -ge 20 ] && [ "$distinct" -ge 2 ] ||
        { cat "$root/samples" >&2; fail "the root did not show the rotating pictures"; }
else
    echo "note: no X11 root backend in this build; checked image.bmp and the caption only"
fi
echo "PASS: $stamps rewrites, $contents contents, $captions captions in 6 s"
