#!/bin/sh
# The real program under wine, installed as the installer lays it out (deploy.sh) in a folder
# with a non-ASCII name, started with no library paths. The first run writes the settings key
# with its defaults; Options OK writes the background colour and "Start Tessary with Windows"
# writes and removes the Run value; a start with one picture and AutoStart makes it the
# wallpaper as image.bmp beside the executable; Exit writes images.db with CR LF.
# Usage: e2e.sh PICTURE_EXE LIBRARY_PREFIX...
set -eu
exe=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_lib.sh"
for tool in wine xdotool iconv convert compare; do
    command -v $tool >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || { echo "SKIP: run by scripts/test-windows"; exit 77; }
root=$(mktemp -d)
pid=
cleanup() {
    set +e
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    chattr -i "$app" 2>/dev/null
    wine reg delete 'HKCU\Software\Halvane Software\Tessary' /f >/dev/null 2>&1
    rm -rf "$root"
}
trap cleanup EXIT
app="$root/Prögramme/Tessary"
sh "$here/../../packaging/windows/deploy.sh" "$exe" "$app" "$@"
product='HKCU\Software\Halvane Software\Tessary'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg delete "$product" /f >/dev/null 2>&1 || true
wine reg delete "$run" /v Tessary /f >/dev/null 2>&1 || true
start() {
    (cd "$root" && WINEPATH= QT_PLUGIN_PATH= exec wine "$app/picture.exe") >"$root/picture.log" 2>&1 &
    pid=$!
    wait_until '[ -n "$(main_window)" ]' 30 || fail "no main window"
}

# First run: the defaults, with their types.
start
wait_until 'reg_has "$product" "\"Seconds\"=\"0\""' 10 || fail "first run wrote no settings"
for line in '"MinimizeTell"=dword:00000001' '"AutoStart"=dword:00000000' \
    '"Minimized"=dword:00000000' '"Position"="Determine"' '"Hours"="0"' '"Minutes"="1"' \
    '"Seconds"="0"'; do
    reg_has "$product" "$line" || fail "first run: no $line in $(reg_values "$product")"
done
reg_values "$run" | grep -q '^"Tessary"=' && fail "first run wrote a Run value"

# Options OK with "Start Tessary with Windows" ticked, then unticked.
# Positions inside the dialog, from its bottom edge: CheckBox1 78 pixels up at the left, OK 20
# up, 30 left of the middle.
options_ok() {
    open_options
    geometry=$(xdotool getwindowgeometry "$(options_window)" |
        sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    width=${geometry% *}
    height=${geometry#* }
    [ "$1" = toggle ] && click_at "$(options_window)" 13 $((height - 78))
    click_at "$(options_window)" $((width / 2 - 30)) $((height - 20))
    wait_until '[ -z "$(options_window)" ]' 10 || fail "the Options dialog stays after OK"
}
options_ok toggle
# Quoted, so that a path with spaces names one program.
expected_run="\"Tessary\"=\"\\\"$(winpath "$app/picture.exe" | sed 's/\\/\\\\/g')\\\"\""
reg_has "$run" "$expected_run" || fail "Run value after OK: $(reg_values "$run"), not $expected_run"
reg_values 'HKCU\Control Panel\Colors' | grep -qE '^"Background"="[0-9]+ [0-9]+ [0-9]+"$' ||
    fail "no background colour after OK: $(reg_values 'HKCU\Control Panel\Colors')"
options_ok toggle
reg_values "$run" | grep -q '^"Tessary"=' && fail "the Run value stays after unticking"
exit_button
wait_exit "Exit"
[ -f "$app/images.db" ] || fail "no images.db beside the executable after Exit"
[ -s "$app/images.db" ] && fail "images.db of an empty list is not empty"

# One picture with a non-ASCII name, centred (drawn as it is), rotating from the start.
convert -size 64x48 xc:red -fill blue -draw 'rectangle 32,0 63,47' "$root/Blätter.jpg"
printf '%s\r\n' "$(winpath "$root/Blätter.jpg")" >"$root/expected.db"
cp "$root/expected.db" "$app/images.db"
wine reg add "$product" /v AutoStart /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$product" /v Position /t REG_SZ /d Center /f >/dev/null 2>&1
start
wait_until '[ -s "$app/image.bmp" ]' 30 || fail "no image.bmp beside the executable"
wallpaper="$(winpath "$app/image.bmp" | sed 's/\\/\\\\/g')"
wait_until 'reg_has "HKCU\Control Panel\Desktop" "\"Wallpaper\"=\"$wallpaper\""' 10 ||
    fail "Wallpaper value: $(reg_values 'HKCU\Control Panel\Desktop' | grep -i wallpaper)"
reg_has 'HKCU\Control Panel\Desktop' '"WallpaperStyle"="0"' || fail "WallpaperStyle not 0"
reg_has 'HKCU\Control Panel\Desktop' '"TileWallpaper"="0"' || fail "TileWallpaper not 0"
difference=$(compare -metric AE -fuzz 3% "$app/image.bmp" "$root/Blätter.jpg" null: 2>&1 || true)
[ "$difference" = 0 ] || fail "image.bmp is not the picture ($difference pixels differ)"
exit_button
wait_exit "Exit"
cmp -s "$app/images.db" "$root/expected.db" || { od -c "$app/images.db" >&2; fail "images.db after Exit"; }
reg_has "$product" '"AutoStart"=dword:00000001' || fail "AutoStart not kept at Exit"

# A program folder no one may write to (as Program Files is to a user; made so for root by the
# immutable attribute): the files go to %LOCALAPPDATA%\Tessary instead.
local_data=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')\\Tessary" 2>/dev/null)
rm -rf "$local_data" "$app/images.db" "$app/image.bmp"
wine reg add "$product" /v AutoStart /t REG_DWORD /d 0 /f >/dev/null 2>&1
if chattr +i "$app" 2>/dev/null && ! touch "$app/probe" 2>/dev/null; then
    start
    exit_button
    wait_exit "Exit in a read-only folder"
    [ -f "$local_data/images.db" ] || fail "no images.db in $local_data"
    [ -e "$app/images.db" ] && fail "images.db in the read-only folder"
    chattr -i "$app"
else
    chattr -i "$app" 2>/dev/null || true
    echo "note: cannot make a folder read-only here (chattr); that case is left to the unit test"
fi
echo "PASS"
