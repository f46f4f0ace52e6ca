#!/bin/sh
# The real program under Xvfb: the Options dialog, driven with xdotool, turns start at logon on
# (a valid autostart entry naming the program appears, the choices are stored) and off again
# (the entry goes away). Usage: settings_options_e2e.sh PICTURE DISPLAY
set -eu
picture=$1
display=$2
for tool in Xvfb xdotool desktop-file-validate; do
    command -v $tool >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
root=$(mktemp -d)
xvfb=
pid=
cleanup() {
    # Every step runs even when one fails: a left-over server would block the next run.
    set +e
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid"
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb"
    rm -rf "$root"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$root/out.log" ] && sed 's/^/  picture: /' "$root/out.log" >&2
    exit 1
}
export DISPLAY="$display"

# Polls a condition for up to 20 s.
wait_until() {
    i=0
    until eval "$1"; do
        i=$((i + 1))
        [ $i -le 200 ] || fail "timed out waiting for: $2"
        sleep 0.1
    done
}

Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >"$root/xvfb.log" 2>&1 &
xvfb=$!
wait_until 'xdotool getdisplaygeometry >/dev/null 2>&1' "Xvfb on $display"
# A server already holding the display would make ours exit: never drive someone else's.
sleep 0.2
kill -0 "$xvfb" 2>/dev/null || fail "Xvfb could not take $display: $(cat "$root/xvfb.log")"

mkdir -p "$root/config" "$root/data" "$root/cache" "$root/runtime"
chmod 700 "$root/runtime"
env -i PATH="$PATH" DISPLAY="$display" HOME="$root" XDG_CONFIG_HOME="$root/config" \
    XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime" \
    TESSARY_DESKTOP=none "$picture" >"$root/out.log" 2>&1 &
pid=$!

settings="$root/config/tessary/settings.reg"
entry="$root/config/autostart/tessary.desktop"
main_window() { xdotool search --onlyvisible --name '^Tessary$' 2>/dev/null | head -n 1; }
options_window() { xdotool search --onlyvisible --name '^Tessary - Options$' 2>/dev/null | head -n 1; }
wait_until '[ -n "$(main_window)" ]' "the main window"
wait_until '[ -s "$settings" ]' "the settings file"

# The Options button sits in the middle row of the bottom band (159 high), whose 425-wide rows
# are centred: the button is at (72, 8) in the row, 57 x 24.
open_options() {
    w=$(main_window)
    size=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    width=${size% *}
    height=${size#* }
    xdotool mousemove --window "$w" $(((width - 425) / 2 + 72 + 28)) $((height - 159 + 59 + 8 + 12)) click 1
    wait_until '[ -n "$(options_window)" ]' "the Options dialog"
}
# Positions inside the dialog: CheckBox1 (8, 246), CheckBox3 (8, 278), OK (88, 304) 57 x 24.
click_in_options() { xdotool mousemove --window "$(options_window)" "$1" "$2" click 1; sleep 0.2; }

# On: tick "Start Tessary at login" and "Auto-start Tessary Engine", then OK.
open_options
click_in_options 16 254
click_in_options 16 286
click_in_options 116 316
wait_until '[ -z "$(options_window)" ]' "the dialog to close after OK"
[ -f "$entry" ] || fail "no autostart entry after OK"
out=$(desktop-file-validate "$entry" 2>&1) || fail "invalid autostart entry: $out"
[ -z "$out" ] || fail "desktop-file-validate complains: $out"
grep -qx "Exec=\"$(readlink -f "$picture")\"" "$entry" ||
    grep -qx "Exec=\"$picture\"" "$entry" || { cat "$entry" >&2; fail "Exec does not name the program"; }
grep -qx '"AutoStart"=dword:00000001' "$settings" || fail "AutoStart was not stored"
grep -qx '"Background"="0 0 0"' "$settings" || fail "Background was not stored"

# Off again: untick "Start Tessary at login", then OK.
open_options
click_in_options 16 254
click_in_options 116 316
wait_until '[ -z "$(options_window)" ]' "the dialog to close after OK"
[ ! -e "$entry" ] || fail "the autostart entry is still there"
grep -qx '"AutoStart"=dword:00000000' "$settings" || fail "AutoStart was not cleared"
echo "PASS"
