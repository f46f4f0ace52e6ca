#!/bin/sh
# One copy per session, over the session bus ("bus") or, without one, a lock and a local socket
# ("socket", here with a notification area, so a closed window is hidden rather than minimised):
# two starts at once leave one copy with one window; a later start shows the running copy's
# window, whether closed or minimised, and ends with 0 (ending a launcher's startup feedback);
# after kill -9 of the running copy, what it left behind does not stop the next start.
# With a bus that accepts and then hangs, the window still shows and the lock keeps one copy.
# Without a bus: a lock file that no running copy holds (empty, garbage, a folder, a link) is
# taken over; a start beside a copy that does not answer says so in a message box; without
# XDG_RUNTIME_DIR, a folder another user made first does not switch off the guard.
# Usage: single_instance.sh PICTURE bus|socket
set -u
. "$(dirname "$0")/settings_reg.sh"
picture=$1
mode=$2
root=$(mktemp -d)
helpers=
pids=
cleanup() {
    for p in $pids $helpers; do kill -KILL "$p" 2>/dev/null; done
    for p in $pids $helpers; do wait "$p" 2>/dev/null; done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "FAIL ($mode): $*" >&2
    for log in "$root"/copy*.log; do [ -s "$log" ] && sed "s|^|  $(basename "$log"): |" "$log" >&2; done
    exit 1
}
skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb openbox xdotool xprop xwininfo wmctrl trayer dbus-daemon dbus-send xev stdbuf; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
wait_until() { # CONDITION SECONDS
    i=0
    while ! eval "$1"; do
        i=$((i + 1)); [ $i -le $(($2 * 10)) ] || return 1; sleep 0.1
    done
}
alive() { [ -d "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null; }

Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$root/display" >"$root/xvfb.log" 2>&1 &
helpers=$!
wait_until '[ -s "$root/display" ]' 10 || skip "Xvfb did not start"
export DISPLAY=":$(cat "$root/display")"
mkdir -p "$root/home" "$root/config/tessary" "$root/data/tessary" "$root/runtime" "$root/tmp"
chmod 700 "$root/runtime"
chmod 1777 "$root/tmp"
runtime="XDG_RUNTIME_DIR=$root/runtime"
if [ "$mode" = bus ]; then
    dbus-daemon --session --nofork --address="unix:path=$root/bus" >"$root/bus.log" 2>&1 &
    helpers="$! $helpers"
    bus="unix:path=$root/bus"
    wait_until '[ -S "$root/bus" ]' 10 || fail "no session bus"
else
    # A bus address that leads nowhere: no bus, and no bus started on demand either.
    bus="unix:path=$root/no-bus"
fi
# Only in the background: it replaces the (sub)shell, so that $! is the program's own pid.
in_home() {
    exec env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$root/home" XDG_CONFIG_HOME="$root/config" \
        XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache" TMPDIR="$root/tmp" "$runtime" \
        DBUS_SESSION_BUS_ADDRESS="$bus" TESSARY_DESKTOP=none "$@"
}
in_home openbox >"$root/openbox.log" 2>&1 &
helpers="$! $helpers"
wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 10 ||
    fail "openbox did not start"
if [ "$mode" = socket ]; then
    in_home trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 24 --SetDockType true --transparent false >"$root/trayer.log" 2>&1 &
    helpers="$! $helpers"
    wait_until 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' 10 || fail "no tray"
fi
# No notice when the window is hidden: it would be one more window to tell apart.
settings_reg >"$root/config/tessary/settings.reg"

n=0
start_copy() { # sets $last to the pid of a new copy
    n=$((n + 1))
    in_home "$picture" >"$root/copy$n.log" 2>&1 &
    last=$!
    pids="$pids $last"
}
# Waits for a copy to end by itself and checks that it ended with 0.
expect_end() {
    wait_until "! alive $1" 20 || fail "$2: the later copy still runs after 20 s"
    wait "$1"; code=$?
    [ "$code" -eq 0 ] || fail "$2: the later copy ended with $code"
}
windows() { xdotool search --onlyvisible --name '^Tessary' 2>/dev/null; }
window_of() { # the main window of the copy with this pid
    for w in $(xdotool search --name '^Tessary' 2>/dev/null); do
        [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
    done
    return 1
}
shown() { # viewable and not minimised
    xwininfo -id "$1" | grep -q 'Map State: IsViewable' &&
        ! xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN
}

# Two starts at once: one keeps running with its window, the other ends with 0.
start_copy; a=$last
start_copy; b=$last
wait_until "! alive $a || ! alive $b" 20 || fail "two copies run side by side"
if alive "$a"; then running=$a; other=$b; else running=$b; other=$a; fi
expect_end "$other" "two starts at once"
wait_until "window_of $running >/dev/null" 20 || fail "the remaining copy shows no window"
main=$(window_of "$running")
sleep 1
[ "$(windows | wc -l)" -eq 1 ] || fail "$(windows | wc -l) windows after two starts at once"
if [ "$mode" = bus ]; then
    dbus-send --bus="$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:example.halvane.tessary | grep -q 'boolean true' ||
        fail "the running copy does not own its bus name"
else
    ls "$root/runtime" | grep -q '^tessary-.*\.socket$' || fail "no socket in the runtime folder"
fi

# Closed (hidden to the tray, or minimised without one): a later start shows it again. Started
# by a launcher with startup feedback, the later copy, showing no window, ends the feedback.
wmctrl -i -c "$main"
wait_until "! shown $main" 10 || fail "closing did not hide or minimise the window"
stdbuf -oL xev -root -event property >"$root/xev.log" 2>&1 &
helpers="$! $helpers"
sleep 0.5 # xev tells nothing when it is listening
n=$((n + 1))
in_home env DESKTOP_STARTUP_ID=launcher-test_TIME0 "$picture" >"$root/copy$n.log" 2>&1 &
last=$!
pids="$pids $last"
expect_end "$last" "start while closed"
wait_until 'grep -q _NET_STARTUP_INFO_BEGIN "$root/xev.log"' 5 ||
    fail "the later copy did not end the launcher's startup feedback"
wait_until "shown $main" 10 || fail "a later start did not show the closed window"
alive "$running" || fail "the running copy ended"

# Minimised by the user: a later start restores it.
xdotool windowminimize "$main"
wait_until "! shown $main" 10 || fail "the window manager did not minimise the window"
start_copy
expect_end "$last" "start while minimised"
wait_until "shown $main" 10 || fail "a later start did not restore the minimised window"

# kill -9 leaves the lock and socket (or nothing, on the bus): the next start runs regardless.
kill -KILL "$running"
wait "$running" 2>/dev/null
start_copy; next=$last
wait_until "window_of $next >/dev/null" 20 || fail "no start after kill -9 of the running copy"
alive "$next" || fail "the start after kill -9 ended"
end_copy() { # PID WHAT: ends a copy as a logout does
    kill -TERM "$1"
    wait_until "! alive $1" 10 || fail "$2: the copy did not end on SIGTERM"
    wait "$1" || fail "$2: the copy ended with $? on SIGTERM"
}
end_copy "$next" "start after kill -9"

# Two starts one after the other: the first shows its window, the second ends with 0.
one_copy() { # WHAT
    start_copy; first=$last
    wait_until "window_of $first >/dev/null" 10 || fail "$1: no window within 10 s"
    start_copy
    expect_end "$last" "$1"
    alive "$first" || fail "$1: the first copy ended"
    end_copy "$first" "$1"
}

if [ "$mode" = bus ]; then
    # A bus that accepts the connection, then never finishes the handshake or never answers.
    command -v python3 >/dev/null 2>&1 || skip "python3 is not installed"
    for hang in auth hello; do
        python3 "$(dirname "$0")/stuck_bus.py" "$root/stuck-$hang" "$hang" &
        helpers="$! $helpers"
        wait_until '[ -S "$root/stuck-$hang" ]' 10 || fail "no stand-in bus"
        bus="unix:path=$root/stuck-$hang"
        one_copy "bus that hangs in $hang"
    done
    echo PASS
    exit 0
fi

lock="$root/runtime/tessary-$(printf %s "$DISPLAY" | tr -c 'A-Za-z0-9.-' _).lock"
# What a crash between creating the lock and writing it leaves, and what else may lie there.
for kind in empty garbage folder link; do
    rm -rf "$lock"
    case $kind in
    empty) : >"$lock" ;;
    garbage) printf '\001\377not a lock\n' >"$lock" ;;
    folder) mkdir -p "$lock/inside" ;;
    link) ln -s "$root/nowhere" "$lock" ;;
    esac
    one_copy "a lock that is $kind"
done

# A running copy that does not answer: a later start says so in a message box, then ends.
start_copy; stuck=$last
wait_until "window_of $stuck >/dev/null" 10 || fail "no window before stopping the copy"
kill -STOP "$stuck"
start_copy
wait_until "window_of $last >/dev/null" 20 || fail "a refused start showed no message box"
box=$(window_of "$last")
xprop -id "$box" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG ||
    fail "the refused start's window is not a message box"
alive "$stuck" || fail "the stopped copy ended"
wmctrl -i -c "$box"
expect_end "$last" "a refused start"
kill -CONT "$stuck"
end_copy "$stuck" "the stopped copy"

# Without XDG_RUNTIME_DIR, another user has made the shared folders first, open to all.
runtime="TMPDIR=$root/tmp"
for folder in "runtime-$(id -un)" "tessary-$(id -u)"; do
    mkdir -m 777 "$root/tmp/$folder"
    [ "$(id -u)" -ne 0 ] || chown nobody "$root/tmp/$folder"
done
one_copy "a shared folder made by another user"
[ -z "$(ls -A "$root/tmp/tessary-$(id -u)")" ] || fail "the lock went into another user's folder"
echo PASS
