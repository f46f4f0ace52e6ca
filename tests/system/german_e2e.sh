#!/bin/sh
# In German: the windows speak German, the start button still starts and stops the rotation
# (it decides by its own word, whatever the language), Options OK, pressed with Enter, stores
# the placement in its English word, and a missing picture is told in German.
# Usage: german_e2e.sh PICTURE DISPLAY_NUMBER
set -u
picture=$1
desktop=x11
. "$(dirname "$0")/session_lib.sh"

session_start "$2"
prepare_rotation
settings_reg Minutes=0 Seconds=1 Position=Stretch Background="0 0 64" \
    >"$root/config/tessary/settings.reg"
in_home_exec env LANG=de_DE.UTF-8 "$picture" >"$root/picture.log" 2>&1 &
pid=$!
main=$(wait_window '^Tessary - ')

button_at "$main" 59 1
options=$(wait_window '^Tessary - Optionen$')
xdotool windowactivate --sync "$options" key Return
wait_until '! xdotool search --onlyvisible --name "^Tessary - Optionen$" >/dev/null 2>&1' 5 ||
    fail "Enter on OK did not close the Options dialog"
grep -q '^"Position"="Stretch"' "$root/config/tessary/settings.reg" ||
    { cat "$root/config/tessary/settings.reg" >&2; fail "the placement was not stored in English"; }

bmp=$root/data/tessary/image.bmp
button_at "$main" 59 0
wait_until '[ -s "$bmp" ]' 5 || fail "the start button did not start the rotation"
button_at "$main" 59 0
sleep 1.5 # a pick already under way finishes
before=$(stat -c %y "$bmp")
sleep 2.5
[ "$(stat -c %y "$bmp")" = "$before" ] || fail "the start button did not stop the rotation"

# Without a notification area a picture the rotation skips is told in the caption, in German.
button_at "$main" 59 0
wait_until '[ "$(stat -c %y "$bmp")" != "$before" ]' 5 || fail "the start button did not restart"
rm "$root"/pictures/*.bmp
wait_until 'xdotool getwindowname "$main" | grep -q "übersprungen: „.*“ kann nicht geöffnet werden"' 5 ||
    fail "no German caption for a missing picture: $(xdotool getwindowname "$main")"
button_at "$main" 59 0

exit_button "$main"
wait_exit "Exit"
echo PASS
