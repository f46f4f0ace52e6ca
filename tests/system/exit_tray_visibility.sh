#!/bin/sh
# The window tests of hiding and ending, run again where a notification area exists, so that
# closing hides the window instead of minimising it.
# Usage: exit_tray_visibility.sh TEST_VISIBILITY DISPLAY_NUMBER
set -eu
test_binary=$1
. "$(dirname "$0")/session_lib.sh"
session_start "$2" tray
in_home env QT_QPA_PLATFORM=xcb TESSARY_EXPECT_TRAY=1 "$test_binary"
