#!/bin/sh
# Runs a test in a throw-away home with its own D-Bus session bus, so the settings daemons the
# bus starts (dconf, xfconfd) write there and never into the real home.
# Usage: run-in-session.sh PROGRAM [ARGS...]
set -eu
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessary-session.XXXXXX")
mark="TESSARY_TEST_SESSION=$scratch"

# Daemons the bus started outlive it for a moment and write their settings on the way out
# (xfconfd does): end them and wait before removing the home they write into.
# shellcheck disable=SC2016 # expanded by the inner shell
session_pids() {
    env -u TESSARY_TEST_SESSION mark="$mark" sh -c \
        'grep -lxzF "$mark" /proc/[0-9]*/environ 2>/dev/null | sed "s|^/proc/||; s|/environ\$||"'
}
cleanup() {
    pids=$(session_pids)
    # shellcheck disable=SC2086
    [ -z "$pids" ] || kill -TERM $pids 2>/dev/null || true
    i=0
    while [ -n "$(session_pids)" ] && [ $i -lt 25 ]; do
        sleep 0.2
        i=$((i + 1))
    done
    rm -rf "$scratch" || echo "run-in-session: could not remove $scratch" >&2
}

mkdir -p "$scratch/home" "$scratch/config" "$scratch/cache" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
    XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime" TESSARY_TEST_SESSION="$scratch"
unset DBUS_SESSION_BUS_ADDRESS GSETTINGS_BACKEND
trap 'cleanup; exit 143' INT TERM
status=0
if command -v dbus-run-session >/dev/null 2>&1; then
    dbus-run-session -- "$@" || status=$?
else
    # Without a bus the tests skip themselves.
    "$@" || status=$?
fi
cleanup
exit $status
