#!/bin/sh
# The package from deb_package.sh on the test machine itself: apt-get installs it, the program
# starts from its desktop entry (by the entry's Exec) and docks its icon in a tray, and apt-get
# removes it again without leaving its files. It changes the machine, so it runs only as root
# with CI set, and never over a Tessary the machine already has.
# Usage: deb_install.sh OUT_DIR APP_ID
set -u
out=$1
id=$2
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing the package needs root (only done in CI)"
[ -n "${CI:-}" ] || skip "installing the package changes the machine: set CI=1 to run it"
set -- "$out"/tessary_*.deb
[ -f "$1" ] || skip "no package in $out (deb_package did not run)"
deb=$1
dpkg-query -W -f='${Status}' tessary 2>/dev/null | grep -q 'install ok installed' &&
    skip "a tessary package is already installed here"
for tool in Xvfb openbox trayer xdotool xwininfo; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

root=$(mktemp -d)
helpers=
installed=
cleanup() {
    for p in $helpers; do kill -KILL "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
    [ -n "$installed" ] && DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tessary >/dev/null 2>&1
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; [ -s "$root/out.log" ] && sed 's/^/  tessary: /' "$root/out.log" >&2; exit 1; }
wait_until() {
    i=0
    while ! eval "$1"; do i=$((i + 1)); [ $i -le $(($2 * 10)) ] || return 1; sleep 0.1; done
}
apt() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-install-recommends \
        -o DPkg::Lock::Timeout=300 "$@" >"$root/apt.log" 2>&1 || { cat "$root/apt.log" >&2; return 1; }
}

installed=yes
apt install "$(realpath "$deb")" || fail "apt-get install of the package"
dpkg-query -W -f='${Status}' tessary | grep -q 'install ok installed' || fail "not installed"
entry=/usr/share/applications/$id.desktop
[ -f "$entry" ] || fail "no installed desktop entry"
# The command without the entry's field code for the files it is given.
exec_line=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[fFuU]$//')
command -v "$exec_line" >/dev/null || fail "the entry's Exec \"$exec_line\" is not a command"

Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$root/display" >"$root/xvfb.log" 2>&1 &
helpers=$!
wait_until '[ -s "$root/display" ]' 10 || skip "Xvfb did not start"
export DISPLAY=":$(cat "$root/display")"
mkdir -p "$root/home" "$root/runtime"
chmod 700 "$root/runtime"
# Only in the background: it replaces the (sub)shell, so that $! is the program's own pid.
in_home() {
    exec env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" \
        XDG_DATA_HOME="$root/home/.local/share" XDG_RUNTIME_DIR="$root/runtime" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$root/no-bus" TESSARY_DESKTOP=none "$@"
}
in_home openbox >/dev/null 2>&1 &
helpers="$! $helpers"
in_home trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
    --height 24 --SetDockType true --transparent false >/dev/null 2>&1 &
helpers="$! $helpers"
wait_until 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' 10 || fail "no tray"
# What a launcher runs for the entry (it has no field codes).
in_home sh -c "exec $exec_line" >"$root/out.log" 2>&1 &
pid=$!
helpers="$pid $helpers"
wait_until 'xdotool search --name "^Tessary" >/dev/null 2>&1' 20 || fail "no window from the menu entry"
wait_until 'xwininfo -root -tree | grep -q "\"Tessary\": (\"tessary\" \"Tessary\")  2[0-9]x2[0-9]+"' 10 ||
    fail "no tray icon"
kill -TERM "$pid"
wait "$pid" || fail "the program ended with $? on SIGTERM"
helpers=${helpers#"$pid "}

apt purge tessary || fail "apt-get purge"
installed=
dpkg-query -W -f='${Status}' tessary 2>/dev/null | grep -q 'install ok installed' && fail "still installed"
for file in /usr/bin/tessary "$entry" /usr/share/icons/hicolor/scalable/apps/$id.svg; do
    [ ! -e "$file" ] || fail "$file left after removal"
done
echo PASS
