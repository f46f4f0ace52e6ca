#!/bin/sh
# The installer under wine: a silent per-user install into %LOCALAPPDATA%\Programs\Tessary with
# a Start menu shortcut, the installed program starting with no library paths (its window and
# tray icon are photographed), and a silent uninstall that removes the program and its Run
# value and leaves the user's images.db. Usage: installer.sh SETUP_EXE; with TESSARY_WINDOWS_SHOT
# set, the screen with the installed program goes to that file.
set -eu
setup=$1
shot=${TESSARY_WINDOWS_SHOT:-}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_lib.sh"
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || { echo "SKIP: run by scripts/test-windows"; exit 77; }
root=$(mktemp -d)
pid=
cleanup() {
    set +e
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wine reg delete 'HKCU\Software\Halvane Software\Tessary' /f >/dev/null 2>&1
    rm -rf "$root"
}
trap cleanup EXIT
local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
folder=$(winepath -u "$local_app_data\\Programs\\Tessary" 2>/dev/null)
menu=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)

WINEPATH= wine "$setup" /S || fail "the installer failed"
for file in picture.exe Qt6Core.dll Qt6Widgets.dll platforms/qwindows.dll uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$menu/Tessary.lnk" ] || fail "no Start menu shortcut"

(cd "$root" && WINEPATH= QT_PLUGIN_PATH= exec wine "$folder/picture.exe") >"$root/picture.log" 2>&1 &
pid=$!
wait_until '[ -n "$(main_window)" ]' 30 || fail "the installed program shows no window"
[ -n "$shot" ] && { sleep 2; import -window root "$shot"; }
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tessary /t REG_SZ \
    /d "$local_app_data\\Programs\\Tessary\\picture.exe" /f >/dev/null 2>&1
exit_button
wait_exit "Exit"
[ -f "$folder/images.db" ] || fail "no images.db beside the installed program after Exit"

WINEPATH= wine "$folder/uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller copies itself away and runs from there: wait for its last steps, the
# shortcut and then the Run value.
wait_until '[ ! -e "$menu/Tessary.lnk" ]' 30 || fail "the Start menu shortcut stays"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wait_until '! reg_values "$run_key" | grep -q "^\"Tessary\"="' 10 ||
    fail "the Run value stays after uninstall"
for file in picture.exe Qt6Core.dll platforms uninstall.exe; do
    [ -e "$folder/$file" ] && fail "$file stays after uninstall"
done
[ -f "$folder/images.db" ] || fail "uninstall removed the user's images.db"
echo "PASS"
