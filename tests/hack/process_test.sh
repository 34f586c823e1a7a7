#!/usr/bin/env bash
# Corvane as a screen-saver daemon's display program, under a running X
# server (scripts/xvfb.sh): it draws into the daemon's window (flags move,
# the logo in its corner), ignores keys and mouse moves, follows a resize,
# ends with exit code 0 on SIGTERM and when the window goes, and leaves
# corvane.ini as it was.
# Usage: process_test.sh BUILD_DIR TARGET_WINDOW_HELPER
set -uo pipefail
build=$1
helper=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1"; failures=$((failures + 1)); fi
}

# A program folder of its own: the program, its settings and pictures.
cp "$build/Corvane" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
printf '[mode]\nscMode=0\n[applic]\nappcurrent=3\nappalert=3\nappdisplay=1\n' >"$work/corvane.ini"
cp "$work/corvane.ini" "$work/ini.before"

# Opaque pixels of the logo as "x,y: #RRGGBB" lines (green is transparent).
convert "$work/vantrelsoftware/corvane/logo.bmp" txt:- |
    awk 'NR > 1 && $3 != "#00FF00" { print $1, $3 }' >"$work/logo.txt"

shot() { import -window "$1" "$2"; }
# logo_at SHOT RIGHT BOTTOM: the logo's opaque pixels, bottom-right at there
logo_at() {
    convert "$1" -crop "120x40+$(($2 - 120))+$(($3 - 40))" +repage txt:- |
        awk 'NR > 1 { print $1, $3 }' >"$work/crop.txt"
    awk 'NR == FNR { want[$1] = $2; next }
         ($1 in want) { n++; if (want[$1] != $2) bad++ }
         END { exit !(n > 1000 && bad == 0) }' "$work/logo.txt" "$work/crop.txt"
}
changed() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" -gt 500 ]; }
alive() { kill -0 "$1" 2>/dev/null; }
exits_zero_within() {  # PID SECONDS
    local i
    for i in $(seq $(($2 * 10))); do alive "$1" || break; sleep 0.1; done
    alive "$1" && return 1
    wait "$1"
}
window() {  # WIDTH HEIGHT -> sets win and winpid
    "$helper" "$1" "$2" >"$work/win.id" & winpid=$!
    pids+=("$winpid")
    for _ in $(seq 50); do [ -s "$work/win.id" ] && break; sleep 0.1; done
    win=$(cat "$work/win.id")
}

# 1. -window-id: drawing, input, resize, SIGTERM.
window 640 400
timeout -k 2 60 "$work/Corvane" -window-id "$win" 2>"$work/err1" & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/a.png"; sleep 0.4; shot "$win" "$work/b.png"
check "draws into the window, flags move" changed "$work/a.png" "$work/b.png"
check "logo in the bottom-right corner" logo_at "$work/b.png" 640 400
xdotool mousemove 300 300 sleep 0.1 mousemove 350 330 sleep 0.1 mousemove 420 360 \
    sleep 0.1 mousemove 500 380 sleep 0.1 mousemove 520 200 sleep 0.1 mousemove 100 100
xdotool key space key Escape click 1
sleep 0.5
check "keys, clicks and mouse moves do not end it" alive $saver
xdotool windowsize "$win" 500 300
sleep 1
shot "$win" "$work/c.png"
check "follows a new window size" logo_at "$work/c.png" 500 300
kill -TERM $saver
check "SIGTERM ends it with exit code 0" exits_zero_within $saver 5
check "corvane.ini untouched" cmp -s "$work/corvane.ini" "$work/ini.before"

# 2. XSCREENSAVER_WINDOW with -root: the environment's window; its end ends
#    the saver.
window 400 300
XSCREENSAVER_WINDOW=$win timeout -k 2 60 "$work/Corvane" -root 2>"$work/err2" & saver=$!
pids+=("$saver")
sleep 2
shot "$win" "$work/d.png"
check "XSCREENSAVER_WINDOW names the window" logo_at "$work/d.png" 400 300
kill $winpid
check "the window's end ends it with exit code 0" exits_zero_within $saver 5
check "corvane.ini still untouched" cmp -s "$work/corvane.ini" "$work/ini.before"

# 3. -window-id of no window: an error, not a run.
timeout -k 2 20 "$work/Corvane" -window-id 0x7ffffff 2>/dev/null
check "a missing window is an error" test $? -eq 1

[ -s "$work/err1" ] && sed 's/^/  stderr: /' "$work/err1" | grep -v XDG_RUNTIME_DIR
echo "$failures failure(s)"
[ $failures -eq 0 ]
