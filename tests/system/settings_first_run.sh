#!/bin/sh
# The real program's first start in an empty home: the settings file appears with the defaults,
# and no autostart entry is left (a stale one is removed). Usage: settings_first_run.sh PICTURE
set -eu
picture=$1
root=$(mktemp -d)
pid=
cleanup() {
    set +e
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid"
    rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# One throw-away home per run; nothing of the real user's is seen.
start_in() {
    home=$1
    mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
    chmod 700 "$home/runtime"
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen TESSARY_DESKTOP=none "$picture" >"$home/out.log" 2>&1 &
    pid=$!
}

wait_for_file() {
    i=0
    while [ ! -s "$1" ]; do
        kill -0 "$pid" 2>/dev/null || { cat "$home/out.log" >&2; fail "the program ended early"; }
        i=$((i + 1))
        [ $i -le 200 ] || fail "no $1 after 20 s"
        sleep 0.1
    done
    # Give the atomic rename and the last writes of the first run time to finish.
    sleep 0.5
}

stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

expected='"AutoStart"=dword:00000000
"Hours"="0"
"MinimizeTell"=dword:00000001
"Minimized"=dword:00000000
"Minutes"="1"
"Position"="Determine"
"Seconds"="0"'

check_defaults() {
    file=$1
    head -n 1 "$file" | grep -qx 'REGEDIT4' || fail "$file does not start with REGEDIT4"
    section=$(awk '/^\[HKEY_CURRENT_USER\\Software\\Halvane Software\\Tessary\]$/ {on=1; next}
                   /^\[/ {on=0} on && NF' "$file" | sort)
    [ "$section" = "$expected" ] || { cat "$file" >&2; fail "the product key is not the defaults"; }
}

# An empty home.
start_in "$root/empty"
wait_for_file "$root/empty/config/tessary/settings.reg"
stop
check_defaults "$root/empty/config/tessary/settings.reg"
[ ! -e "$root/empty/config/autostart/tessary.desktop" ] || fail "an autostart entry was created"

# A home with an autostart entry left by an earlier installation, but no settings.
mkdir -p "$root/stale/config/autostart"
printf '[Desktop Entry]\nType=Application\nName=Tessary\nExec=/old/picture\n' \
    >"$root/stale/config/autostart/tessary.desktop"
start_in "$root/stale"
wait_for_file "$root/stale/config/tessary/settings.reg"
stop
check_defaults "$root/stale/config/tessary/settings.reg"
[ ! -e "$root/stale/config/autostart/tessary.desktop" ] || fail "the stale autostart entry is still there"
echo "PASS"
