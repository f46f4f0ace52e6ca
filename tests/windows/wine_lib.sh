# Shared by the Windows system tests (POSIX sh), run under wine by scripts/test-windows, which
# sets WINEPREFIX and DISPLAY: the registry read from outside, waiting, clicking.

fail() {
    echo "FAIL: $*" >&2
    [ -n "${root:-}" ] && [ -f "$root/picture.log" ] && sed 's/^/picture: /' "$root/picture.log" >&2
    exit 1
}

# Polls a shell condition every 0.2 s for up to $2 seconds.
wait_until() {
    n=0
    while ! eval "$1"; do
        n=$((n + 1))
        [ $n -le $(($2 * 5)) ] || return 1
        sleep 0.2
    done
}

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# The key's values as reg export writes them, in UTF-8 with LF: UTF-16 keeps every character,
# where reg query would pass them through the OEM code page. Empty when the key is missing.
reg_values() {
    rm -f "$root/export.reg"
    wine reg export "$1" "$(winpath "$root/export.reg")" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$root/export.reg" | tr -d '\r' | sed -n '/^"/p'
}

# Whether the key holds exactly this line ("Name"="text" or "Name"=dword:0000000n).
reg_has() { reg_values "$1" | grep -qxF -- "$2"; }

# Titled "Tessary", or "Tessary - NAME (N/M)" once it shows a picture.
main_window() {
    xdotool search --onlyvisible --name '^Tessary($| - .* \([0-9]+/[0-9]+\)$)' 2>/dev/null | head -n 1
}
options_window() { xdotool search --onlyvisible --name '^Tessary - Options$' 2>/dev/null | head -n 1; }

click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

# The main window's buttons, placed as its layout places them: the bottom band is 159 pixels
# high, its rows (425 wide, centred) start 59 (Panel2) and 105 (Panel6) pixels into it, and
# the buttons of a row are 57 x 24 at x = 8, 72, 136, y = 8.
button_at() { # window row column
    geometry=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    set -- "$1" "$2" "$3" $geometry
    click_at "$1" $((($4 - 425) / 2 + 8 + 64 * $3 + 28)) $(($5 - 159 + $2 + 20))
}
# Under load a window may show before it takes clicks: each press is repeated until it works.
open_options() {
    for attempt in 1 2 3; do
        button_at "$(main_window)" 59 1
        wait_until '[ -n "$(options_window)" ]' 5 && return 0
    done
    fail "no Options dialog"
}
exit_button() {
    for attempt in 1 2 3; do
        [ -n "$(main_window)" ] || break
        button_at "$(main_window)" 59 2
        wait_until '! kill -0 "$pid" 2>/dev/null' 5 && break
    done
}

# Waits for the program to end by itself, with exit code 0.
wait_exit() {
    wait_until '! kill -0 "$pid" 2>/dev/null' 20 || fail "the program still runs 20 s after $1"
    code=0
    wait "$pid" || code=$?
    pid=
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}
