#!/bin/sh
# CPU time and resident memory of the real program while it rotates, under Xvfb with openbox
# and a tray, in a throw-away home with a list of three small pictures and AutoStart on.
# Usage: rotation_idle.sh PICTURE [SECONDS] [DISPLAY_NUMBER]
# Two runs: a one-second period (a pick at every tick) and a one-hour period (ticks only, the
# cost between picks).
set -u
picture=$1
duration=${2:-60}
desktop=x11
. "$(dirname "$0")/../tests/system/settings_reg.sh"
. "$(dirname "$0")/../tests/system/session_lib.sh"

hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }

measure() {
    label=$1
    start_picture
    wait_window '^Tessary - ' >/dev/null
    sleep 5 # start-up and the first pick are not what is measured
    c0=$(cpu_ticks)
    r0=$(rss_kib)
    sleep "$duration"
    kill -0 "$pid" 2>/dev/null || fail "the program ended"
    c1=$(cpu_ticks)
    r1=$(rss_kib)
    stop_picture
    awk -v l="$label" -v c=$((c1 - c0)) -v hz="$hz" -v d="$duration" -v r0="$r0" -v r1="$r1" \
        'BEGIN { printf "%s: CPU %.2f s in %d s = %.3f %% of one core; RSS %d -> %d KiB (%+d)\n",
                 l, c / hz, d, 100 * c / hz / d, r0, r1, r1 - r0 }'
}

session_start "${3:-47}" tray
prepare_rotation
measure "1-second period (a pick every second)"
sed -i 's/^"Seconds"=.*/"Seconds"="0"/; s/^"Hours"=.*/"Hours"="1"/' \
    "$root/config/tessary/settings.reg"
measure "1-hour period (ticks only)"
