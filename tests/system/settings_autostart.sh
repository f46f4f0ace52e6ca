#!/bin/sh
# The autostart entry the settings save writes is a valid desktop entry for awkward paths too,
# and it goes away again when start at logon is turned off.
# Usage: settings_autostart.sh WRITER
set -eu
writer=$1
command -v desktop-file-validate >/dev/null || { echo "SKIP: desktop-file-validate missing"; exit 77; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

n=0
check() {
    executable=$1
    n=$((n + 1))
    home="$root/$n"
    mkdir -p "$home"
    entry="$home/config/autostart/tessary.desktop"
    run() { env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" "$writer" "$@"; }
    run on "$executable" || fail "writing the entry for $executable"
    [ -f "$entry" ] || fail "no entry for $executable"
    out=$(desktop-file-validate "$entry" 2>&1) || { cat "$entry" >&2; fail "invalid entry for $executable: $out"; }
    [ -z "$out" ] || { cat "$entry" >&2; fail "desktop-file-validate complains for $executable: $out"; }
    grep -q '^Exec="' "$entry" || fail "Exec is not quoted for $executable"
    run off "$executable" || fail "removing the entry for $executable"
    [ ! -e "$entry" ] || fail "the entry for $executable is still there"
}

check /opt/tessary/picture
check "/home/user/My Pictures/picture"
check '/tmp/odd "quoted" $HOME `tick` back\slash 100%/picture'
echo "PASS"
