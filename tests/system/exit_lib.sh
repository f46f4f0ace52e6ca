# Shared by the exit_* tests: a throw-away home, a private X server with a window manager (and,
# on request, a notification area), the real program, and ways to wait for it.
# Source it, then call session_start DISPLAY_NUMBER [tray].

fail() {
    echo "FAIL: $*" >&2
    [ -n "${root:-}" ] && [ -f "$root/picture.log" ] && sed 's/^/picture: /' "$root/picture.log" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

root=
pid=
helpers=
session_cleanup() {
    status=$?
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    for p in $helpers; do kill "$p" 2>/dev/null || true; done
    for p in $helpers; do wait "$p" 2>/dev/null || true; done
    [ -n "$root" ] && rm -rf "$root"
    exit "$status"
}

# A BMP picture of the given colour at $root/pictures/NAME.
picture_file() {
    mkdir -p "$root/pictures"
    convert -size 8x6 "xc:$2" "BMP3:$root/pictures/$1" || fail "cannot make $1"
    echo "$root/pictures/$1"
}

session_start() {
    need Xvfb openbox xdotool xprop wmctrl convert
    display=:$1
    root=$(mktemp -d)
    trap session_cleanup EXIT
    # A test run that is stopped (a time-out) still cleans up.
    trap 'exit 143' INT TERM HUP
    mkdir -p "$root/home" "$root/config" "$root/data/tessary" "$root/cache" "$root/runtime"
    chmod 700 "$root/runtime"
    export DISPLAY=$display
    Xvfb "$display" -noreset -screen 0 1024x768x24 >"$root/xvfb.log" 2>&1 &
    helpers="$!"
    i=0
    until xprop -root >/dev/null 2>&1; do
        i=$((i + 1)); [ $i -le 100 ] || fail "Xvfb $display did not start"; sleep 0.1
    done
    in_home_exec openbox >"$root/openbox.log" 2>&1 &
    helpers="$! $helpers"
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        i=$((i + 1)); [ $i -le 100 ] || fail "openbox did not start"; sleep 0.1
    done
    if [ "${2:-}" = tray ]; then
        need trayer
        in_home_exec trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
            --height 24 --SetDockType true --transparent false --tint 0x000000 \
            >"$root/trayer.log" 2>&1 &
        helpers="$! $helpers"
        i=0
        until xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id'; do
            i=$((i + 1)); [ $i -le 100 ] || fail "trayer did not start"; sleep 0.1
        done
    fi
}

# Runs a command with nothing of the real user's environment. in_home_exec replaces the
# (background) shell, so that $! is the command's own process.
in_home() {
    (in_home_exec "$@")
}
in_home_exec() {
    exec env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$root/home" XDG_CONFIG_HOME="$root/config" \
        XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime" \
        TESSARY_DESKTOP=none "$@"
}

images_db=
start_picture() {
    images_db="$root/data/tessary/images.db"
    in_home_exec "$picture" >"$root/picture.log" 2>&1 &
    pid=$!
}

alive() {
    [ -d "/proc/$pid" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$pid/status" 2>/dev/null
}

# Waits for a shown window whose title matches the pattern (an extended regular expression);
# prints its id.
wait_window() {
    i=0
    while :; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        alive || fail "the program ended while waiting for the window \"$1\""
        i=$((i + 1)); [ $i -le 200 ] || fail "no window \"$1\" after 20 s"
        sleep 0.1
    done
}

# Waits until the program has ended and checks its exit code.
wait_exit() {
    i=0
    while alive; do
        i=$((i + 1)); [ $i -le 100 ] || fail "the program still runs 10 s after $1"
        sleep 0.1
    done
    code=0
    wait "$pid" || code=$?
    pid=
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

# Clicks at a point of a window, in its own coordinates.
click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The main window's buttons, placed as its layout places them: the bottom band is 159 pixels
# high, its rows (425 wide, centred) start 59 (Panel2) and 105 (Panel6) pixels into it, and
# the buttons of a row are 57 x 24 at x = 8, 72, 136, y = 8.
button_at() { # window row column
    geometry=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    set -- "$1" "$2" "$3" $geometry
    x=$(( ($4 - 425) / 2 + 8 + 64 * $3 + 28 ))
    y=$(( $5 - 159 + $2 + 20 ))
    click_at "$1" "$x" "$y"
}
exit_button() { button_at "$1" 59 2; }
remove_button() { button_at "$1" 105 1; }

crlf() { # the expected bytes of images.db for the given entries
    for entry in "$@"; do printf '%s\r\n' "$entry"; done
}
