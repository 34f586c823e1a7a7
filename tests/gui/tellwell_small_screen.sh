#!/bin/bash
# The recommend form on a 640 x 480 screen, taller than the screen: it keeps
# its 400 x 489 client area and the place centring gives it, its top above
# the screen's edge (client area at 120, 5), with and without a window
# manager. Usage: tellwell_small_screen.sh BUILD_DIR
. "$(dirname "$0")/lib.sh"
build=${1:?build folder}
[ -x "$build/Tellwell" ] || gui_skip "no Tellwell in $build"

GUI_SCREEN=640x480 gui_start

check_place() {  # what is running
    gui_run timeout -k 2 60 "$build/Tellwell"
    local win
    win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no recommend form ($1)"
    sleep 0.5
    local got
    got=$(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x","y" "w"x"h}')
    [ "$got" = "120,5 400x489" ] || gui_fail "$1: the client area is at $got, not 120,5 400x489"
    kill "$GUI_LAST_PID"
    wait "$GUI_LAST_PID" 2>/dev/null
}

check_place "no window manager"
gui_start_wm
check_place "openbox"
echo "PASS: tellwell on a small screen"
