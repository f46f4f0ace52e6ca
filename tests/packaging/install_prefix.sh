#!/bin/sh
# cmake --install into a throw-away prefix: the program as "tessary", a valid desktop entry and
# AppStream metainfo, the icon at every size and as SVG (showing the same picture), a manual
# page; the installed program starts, and the autostart entry it saves names the installed
# program (to start and to require), not the build folder an older entry pointed into.
# Usage: install_prefix.sh BUILD_DIR APP_ID
set -u
. "$(dirname "$0")/../system/settings_reg.sh"
build=$1
id=$2
root=$(mktemp -d)
xvfb=
pid=
cleanup() {
    for p in $pid $xvfb; do kill -KILL "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; [ -s "$root/out.log" ] && sed 's/^/  tessary: /' "$root/out.log" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli identify compare Xvfb xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
wait_until() {
    i=0
    while ! eval "$1"; do i=$((i + 1)); [ $i -le $(($2 * 10)) ] || return 1; sleep 0.1; done
}

prefix="$root/prefix with space"
cmake --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1 || { cat "$root/install.log" >&2; fail "cmake --install"; }
[ -x "$prefix/bin/tessary" ] || fail "no executable bin/tessary"
[ ! -e "$prefix/bin/picture" ] || fail "bin/picture installed: the build's name would clash"
[ -s "$prefix/share/man/man1/tessary.1.gz" ] || fail "no manual page"

entry="$prefix/share/applications/$id.desktop"
[ -f "$entry" ] || fail "no desktop entry $id.desktop"
out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate complains: $out"
for key in 'Name=Tessary' 'GenericName=' 'Comment=' 'Categories=' 'Keywords=' 'StartupNotify=true' \
    "Icon=$id" 'Exec=tessary'; do
    grep -q "^$key" "$entry" || fail "desktop entry lacks $key"
done

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metainfo $id.metainfo.xml"
out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo names no launcher"
grep -q '<screenshot type="default">' "$metainfo" || fail "metainfo has no screenshot"
grep -q '<release version="[0-9.]*" date=' "$metainfo" || fail "metainfo has no release"

icons="$prefix/share/icons/hicolor"
for size in 16 32 48 64 128 256; do
    png="$icons/${size}x$size/apps/$id.png"
    [ -f "$png" ] || fail "no ${size}px icon"
    [ "$(identify -format '%wx%h %[channels]' "$png")" = "${size}x$size srgba" ] ||
        fail "${size}px icon is $(identify -format '%wx%h %[channels]' "$png")"
done
svg="$icons/scalable/apps/$id.svg"
grep -q 'viewBox="0 0 256 256"' "$svg" || fail "the SVG icon has no 256 x 256 view box"
# The SVG shows what the PNG shows: rendered at 256 px, they differ only in edge smoothing. A
# lost shape (the sun, the hills, the frame) costs far more than the threshold.
convert -background none "$svg" -resize 256x256 "$root/svg.png" || fail "cannot render the SVG"
rmse=$(compare -metric RMSE "$icons/256x256/apps/$id.png" "$root/svg.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
awk "BEGIN { exit !($rmse < 0.04) }" || fail "the SVG icon differs from the PNG (RMSE $rmse)"

# The installed program runs, and rewrites an autostart entry that pointed into a build folder.
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$root/display" >"$root/xvfb.log" 2>&1 &
xvfb=$!
wait_until '[ -s "$root/display" ]' 10 || { echo "SKIP: Xvfb did not start"; exit 77; }
mkdir -p "$root/home" "$root/config/autostart" "$root/runtime"
chmod 700 "$root/runtime"
printf '[Desktop Entry]\nType=Application\nName=Tessary\nExec=/old/build/app/picture\n' \
    >"$root/config/autostart/tessary.desktop"
mkdir -p "$root/config/tessary"
settings_reg >"$root/config/tessary/settings.reg"
env -i PATH="$PATH" DISPLAY=":$(cat "$root/display")" HOME="$root/home" \
    XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$root/no-bus" TESSARY_DESKTOP=none \
    "$prefix/bin/tessary" >"$root/out.log" 2>&1 &
pid=$!
wait_until 'DISPLAY=:$(cat "$root/display") xdotool search --name "^Tessary" >/dev/null 2>&1' 20 ||
    fail "the installed program shows no window"
kill -TERM "$pid"
wait "$pid" || fail "the installed program ended with $?"
pid=
autostart="$root/config/autostart/tessary.desktop"
for line in "Exec=\"$prefix/bin/tessary\"" "TryExec=$prefix/bin/tessary" "Icon=$id"; do
    grep -qxF "$line" "$autostart" || { cat "$autostart" >&2; fail "the autostart entry lacks $line"; }
done
out=$(desktop-file-validate "$autostart" 2>&1) && [ -z "$out" ] || fail "autostart entry: $out"
echo PASS
