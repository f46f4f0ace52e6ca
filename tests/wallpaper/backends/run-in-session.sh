#!/bin/sh
# Runs a test in a throw-away home with its own D-Bus session bus, so the settings daemons the
# bus starts (dconf, xfconfd) write there and never into the real home.
# Usage: run-in-session.sh PROGRAM [ARGS...]
set -eu
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessary-session.XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -p "$scratch/home" "$scratch/config" "$scratch/cache" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
    XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
unset DBUS_SESSION_BUS_ADDRESS GSETTINGS_BACKEND
if command -v dbus-run-session >/dev/null 2>&1; then
    dbus-run-session -- "$@"
else
    # Without a bus the tests skip themselves.
    "$@"
fi
