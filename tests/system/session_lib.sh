# Shared by the system tests (POSIX sh): a throw-away home, a private X server with a window
# manager (and, on request, a notification area), the real program, and ways to drive it and
# wait for it. Source it, then call session_start DISPLAY_NUMBER [tray].
# The program gets no desktop backend unless the test sets desktop (e.g. desktop=x11).

# A script sourcing this one from elsewhere sources settings_reg.sh first.
command -v settings_reg >/dev/null 2>&1 || . "$(dirname "$0")/settings_reg.sh"

skip() { echo "SKIP: $*"; exit 77; }

fail() {
    echo "FAIL: $*" >&2
    [ -n "${root:-}" ] && [ -f "$root/picture.log" ] && sed 's/^/picture: /' "$root/picture.log" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
    done
}

# Polls a shell condition every 0.1 s for up to $2 seconds.
wait_until() {
    n=0
    while ! eval "$1"; do
        n=$((n + 1))
        [ $n -le $(($2 * 10)) ] || return 1
        sleep 0.1
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
    Xvfb "$display" -noreset -screen 0 "${screen:-1024x768x24}" >"$root/xvfb.log" 2>&1 &
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
    [ "${2:-}" = tray ] && start_tray
    return 0
}

tray_pid=
start_tray() {
    need trayer xwininfo
    in_home_exec trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 24 --SetDockType true --transparent false --tint 0x000000 \
        >"$root/trayer.log" 2>&1 &
    tray_pid=$!
    helpers="$tray_pid $helpers"
    wait_until 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"' 10 ||
        fail "trayer did not come up"
}

stop_tray() {
    kill "$tray_pid" 2>/dev/null && wait "$tray_pid" 2>/dev/null
    tray_pid=
}

# The tray icon: the program's 22x22-ish window embedded under trayer's panel.
tray_icon_docked() {
    xwininfo -root -tree | awk '
        /"panel": \("panel" "trayer"\)/ { inpanel = 1; depth = index($0, "0x"); next }
        inpanel && index($0, "0x") > 0 && index($0, "0x") <= depth { inpanel = 0 }
        inpanel && /"Tessary": \("picture" "Tessary"\)/ && match($0, /[0-9]+x[0-9]+\+/) {
            split(substr($0, RSTART, RLENGTH - 1), size, "x")
            if (size[1] >= 16 && size[1] <= 48 && size[2] >= 16 && size[2] <= 48) found = 1
        }
        END { exit !found }'
}

# Clicks the tray icon: tray_click BUTTON [COUNT]; with no button, only moves the pointer there.
tray_click() {
    wait_until tray_icon_docked 10 || fail "no tray icon under trayer"
    icon=$(xwininfo -root -tree |
        sed -n 's/^ *\(0x[0-9a-f]*\) "Tessary": ("picture" "Tessary")  [1-4][0-9]x[1-4][0-9]+.*/\1/p' |
        head -n 1)
    ix=$(($(xwininfo -id "$icon" | sed -n 's/.*Absolute upper-left X: *//p') + 8))
    iy=$(($(xwininfo -id "$icon" | sed -n 's/.*Absolute upper-left Y: *//p') + 8))
    xdotool mousemove "$ix" "$iy"
    [ -z "${1:-}" ] || xdotool click --repeat "${2:-1}" --delay 80 "$1"
}

# Runs a command with nothing of the real user's environment. in_home_exec replaces the
# (background) shell, so that $! is the command's own process.
in_home() {
    (in_home_exec "$@")
}
in_home_exec() {
    exec env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$root/home" XDG_CONFIG_HOME="$root/config" \
        XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime" \
        TESSARY_DESKTOP="${desktop:-none}" "$@"
}

images_db=
start_picture() {
    images_db="$root/data/tessary/images.db"
    in_home_exec "$picture" >"$root/picture.log" 2>&1 &
    pid=$!
}

stop_picture() {
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    pid=
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

# Three plain-coloured 64x48 pictures, the list, and the settings: AutoStart, a one-second
# period, centred, a dark blue background, no notice when hidden.
prepare_rotation() {
    : >"$root/data/tessary/images.db"
    mkdir -p "$root/pictures" "$root/config/tessary"
    for colour in red lime blue; do
        convert -size 64x48 "xc:$colour" "BMP3:$root/pictures/$colour.bmp"
        printf '%s\r\n' "$root/pictures/$colour.bmp" >>"$root/data/tessary/images.db"
    done
    settings_reg AutoStart=1 Minutes=0 Seconds=1 Background="0 0 64" \
        >"$root/config/tessary/settings.reg"
}

# The colour of one screen pixel as #RRGGBB.
root_pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1
}
