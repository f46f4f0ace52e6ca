# Shared by rotation_e2e.sh and tray_e2e.sh (sourced, POSIX sh): a throw-away X session under
# Xvfb with openbox, an optional XEmbed tray (trayer), and the real program in a throw-away home
# with a small list, AutoStart on and a one-second period.
# Set TESSARY_TEST_DISPLAY (e.g. :31) to choose the display; otherwise Xvfb picks a free one.

root=$(mktemp -d)
xvfb_pid=
wm_pid=
tray_pid=
pid=
cleanup() {
    for p in $pid $tray_pid $wm_pid $xvfb_pid; do
        kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "FAIL: $*" >&2
    [ -f "$root/out.log" ] && sed 's/^/  picture: /' "$root/out.log" >&2
    exit 1
}
skip() { echo "SKIP: $*"; exit 77; }

for tool in Xvfb openbox trayer xwininfo xprop xdotool wmctrl convert import md5sum; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

# Polls a shell condition every 0.1 s for up to $2 seconds.
wait_until() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -le $(($2 * 10)) ] || return 1
        sleep 0.1
    done
}

start_x() {
    if [ -n "${TESSARY_TEST_DISPLAY:-}" ]; then
        Xvfb "$TESSARY_TEST_DISPLAY" -noreset -screen 0 800x600x24 >"$root/xvfb.log" 2>&1 &
        xvfb_pid=$!
        DISPLAY=$TESSARY_TEST_DISPLAY
    else
        Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$root/display" >"$root/xvfb.log" 2>&1 &
        xvfb_pid=$!
        wait_until '[ -s "$root/display" ]' 10 || skip "Xvfb did not start"
        DISPLAY=:$(cat "$root/display")
    fi
    export DISPLAY
    wait_until 'xprop -root >/dev/null 2>&1' 10 || skip "Xvfb did not start on $DISPLAY"
    HOME=$root/home
    XDG_CONFIG_HOME=$HOME/config
    XDG_DATA_HOME=$HOME/data
    XDG_CACHE_HOME=$HOME/cache
    XDG_RUNTIME_DIR=$HOME/runtime
    export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
    mkdir -p "$XDG_CONFIG_HOME/tessary" "$XDG_DATA_HOME/tessary" "$XDG_CACHE_HOME" \
        "$XDG_RUNTIME_DIR" "$HOME/pictures"
    chmod 700 "$XDG_RUNTIME_DIR"
    openbox >"$root/openbox.log" 2>&1 &
    wm_pid=$!
    wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' 10 ||
        skip "openbox did not start"
}

start_tray() {
    trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 24 --SetDockType true --transparent false --tint 0x000000 \
        >"$root/trayer.log" 2>&1 &
    tray_pid=$!
    wait_until 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"' 10 ||
        fail "trayer did not come up"
}

stop_tray() {
    kill "$tray_pid" 2>/dev/null && wait "$tray_pid" 2>/dev/null
    tray_pid=
}

# Three plain-coloured pictures, the list, and the settings: AutoStart, a one-second period,
# centred, no notice when hidden.
prepare_home() {
    : >"$XDG_DATA_HOME/tessary/images.db"
    for colour in red lime blue; do
        convert -size 64x48 "xc:$colour" "BMP3:$HOME/pictures/$colour.bmp"
        printf '%s\r\n' "$HOME/pictures/$colour.bmp" >>"$XDG_DATA_HOME/tessary/images.db"
    done
    cat >"$XDG_CONFIG_HOME/tessary/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Colors]
"Background"="0 0 64"

[HKEY_CURRENT_USER\Software\Halvane Software\Tessary]
"AutoStart"=dword:00000001
"Hours"="0"
"Minimized"=dword:00000000
"MinimizeTell"=dword:00000000
"Minutes"="0"
"Position"="Center"
"Seconds"="1"
REG
}

start_picture() {
    TESSARY_DESKTOP=x11 "$picture" >"$root/out.log" 2>&1 &
    pid=$!
    wait_until 'xdotool search --name "^Tessary - " >/dev/null 2>&1' 20 ||
        fail "no main window showing a picture"
}

stop_picture() {
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    pid=
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
