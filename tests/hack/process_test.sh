#!/usr/bin/env bash
# Corvane as a screen-saver daemon's display program, under a running X
# server (scripts/xvfb.sh): it draws into the daemon's window (flags move,
# the logo in its corner; in a window under 640x480 the screen reduced),
# ignores keys and mouse moves, follows a resize,
# ends by SIGTERM on SIGTERM (as a daemon expects of its programs) and with
# exit code 0 when the window goes, and leaves corvane.ini as it was; a
# named window always wins over the root.
# Usage: process_test.sh BUILD_DIR TARGET_WINDOW_HELPER
set -uo pipefail
build=$1
helper=$2
work=$(mktemp -d)
. "$(dirname "$0")/lib.sh"
trap 'stop_started; rm -rf "$work"' EXIT
program_folder "$build"

logo_pixels
shot() { import -window "$1" "$2"; }
window() {  # WIDTH HEIGHT -> sets win and winpid
    "$helper" "$1" "$2" >"$work/win.id" & winpid=$!
    pids+=("$winpid")
    for _ in $(seq 50); do [ -s "$work/win.id" ] && break; sleep 0.1; done
    win=$(cat "$work/win.id")
}

# 1. -window-id: drawing, input, resize, SIGTERM.
window 800 600
timeout -k 2 60 "$work/Corvane" -window-id "$win" 2>"$work/err1" & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/a.png"; sleep 0.4; shot "$win" "$work/b.png"
check "draws into the window, flags move" changed "$work/a.png" "$work/b.png"
check "logo in the bottom-right corner" logo_at "$work/b.png" 800 600
xdotool mousemove 300 300 sleep 0.1 mousemove 350 330 sleep 0.1 mousemove 420 360 \
    sleep 0.1 mousemove 500 380 sleep 0.1 mousemove 520 200 sleep 0.1 mousemove 100 100
xdotool key space key Escape click 1
sleep 0.5
check "keys, clicks and mouse moves do not end it" alive $saver
xdotool windowsize "$win" 700 500
sleep 1
shot "$win" "$work/c.png"
check "follows a new window size" logo_at "$work/c.png" 700 500
kill -TERM $saver
check "SIGTERM ends it, by SIGTERM" ends_by_sigterm_within $saver 5
check "corvane.ini untouched" cmp -s "$work/corvane.ini" "$work/ini.before"

# 2. XSCREENSAVER_WINDOW with -root: the environment's window; its end ends
#    the saver.
window 640 480
XSCREENSAVER_WINDOW=$win timeout -k 2 60 "$work/Corvane" -root 2>"$work/err2" & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/d.png"
check "XSCREENSAVER_WINDOW names the window" logo_at "$work/d.png" 640 480
kill $winpid
check "the window's end ends it with exit code 0" exits_zero_within $saver 5
check "corvane.ini still untouched" cmp -s "$work/corvane.ini" "$work/ini.before"

# 3. -window-id of no window: an error, not a run.
timeout -k 2 20 "$work/Corvane" -window-id 0x7ffffff 2>/dev/null
check "a missing window is an error" test $? -eq 1

# 4. The two-dash spellings of xscreensaver 6, run from a terminal: the
#    daemon's window or the root, never a counted saver run.
window 720 540
timeout -k 2 60 "$work/Corvane" --window-id "$win" 2>/dev/null & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/e.png"
check "--window-id names the window" logo_at "$work/e.png" 720 540
kill -TERM $saver
check "--window-id: SIGTERM ends it, by SIGTERM" ends_by_sigterm_within $saver 5
kill $winpid
timeout -k 2 60 "$work/Corvane" --root 2>/dev/null & saver=$!
pids+=("$saver")
sleep 2
shot root "$work/f.png"
size=$(xdpyinfo | awk '/dimensions:/{print $2}')
check "--root draws into the root window" logo_at "$work/f.png" "${size%x*}" "${size#*x}"
check "--root opens no saver window of its own" \
    test "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" = 0
kill -TERM $saver
check "--root: SIGTERM ends it, by SIGTERM" ends_by_sigterm_within $saver 5
check "neither counted a run" cmp -s "$work/corvane.ini" "$work/ini.before"

# 5. xscreensaver-settings' preview pane: "-root --window-id ID" with
#    XSCREENSAVER_WINDOW naming the same window draws into the preview window
#    and leaves the root, the desktop behind every window, alone.
xsetroot -solid '#336699'
window 400 300
XSCREENSAVER_WINDOW=$win timeout -k 2 60 "$work/Corvane" -root --window-id "$win" 2>/dev/null &
saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/g.png"
shot root "$work/h.png"
sleep 0.4
shot "$win" "$work/g2.png"
check "the settings' preview draws into its window" changed "$work/g.png" "$work/g2.png"
check "the settings' preview leaves the root alone" \
    test "$(share "$work/h.png" "400x300+$((${size%x*} - 400))+$((${size#*x} - 300))" '#336699')" = 100
kill -TERM $saver
check "the settings' preview: SIGTERM ends it, by SIGTERM" ends_by_sigterm_within $saver 5
kill $winpid

# 6. A preview pane smaller than 640x480 (xscreensaver-settings' is
#    665x373) shows the screen as it would look, reduced: the whole desktop
#    (here the root's colour, not what lies under the pane), the flags
#    small, moving.
sed -i 's/scMode=0/scMode=1/' "$work/corvane.ini"
xsetroot -solid '#336699'
window 665 373
timeout -k 2 60 "$work/Corvane" -window-id "$win" 2>/dev/null & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/i.png"; sleep 0.4; shot "$win" "$work/j.png"
check "a small pane shows the whole desktop reduced" \
    test "$(share "$work/j.png" 665x373+0+0 '#336699')" -gt 60
check "and the flags move in it" changed "$work/i.png" "$work/j.png"
kill -TERM $saver
check "the pane: SIGTERM ends it, by SIGTERM" ends_by_sigterm_within $saver 5
kill $winpid
cp "$work/ini.before" "$work/corvane.ini"

[ -s "$work/err1" ] && sed 's/^/  stderr: /' "$work/err1" | grep -v XDG_RUNTIME_DIR
echo "$failures failure(s)"
[ $failures -eq 0 ]
