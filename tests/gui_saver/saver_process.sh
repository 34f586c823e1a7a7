#!/usr/bin/env bash
# Process tests of the real screen saver; run inside scripts/xvfb.sh.
# Usage: saver_process.sh TEST BUILD_DIR SOURCE_DIR
set -euo pipefail
test=$1 build=$2 src=$3
work=$(mktemp -d)
trap 'pkill -f "$work/Corvane" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# logo_pixels, logo_at SHOT RIGHT BOTTOM, share SHOT GEOMETRY COLOUR
. "$src/tests/hack/lib.sh"

# A program folder of our own, with a Tellwell stand-in that leaves a mark.
cp "$build/Corvane" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
printf '[mode]\r\nscMode=0\r\n[applic]\r\nappcurrent=3\r\nappalert=3\r\nappdisplay=1\r\n' >"$work/corvane.ini"
printf '#!/bin/sh\ntouch "%s/tellwell-started"\n' "$work" >"$work/Tellwell"
chmod +x "$work/Tellwell"

ini() { grep -i "^$1=" "$work/corvane.ini" | tr -d '\r' | cut -d= -f2; }
pixel() { convert "$1" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$2+$3" info:; }
screen_size() { xdpyinfo | awk '/dimensions:/{print $2}'; }
start_saver() {  # waits until the saver's picture is on the screen
    "$work/Corvane" "$@" & pid=$!
    local size; size=$(screen_size)
    for _ in $(seq 200); do
        import -window root "$work/wait.png" 2>/dev/null &&
            [ "$(pixel "$work/wait.png" 2 2)" != "0,0,0" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    echo "no picture after 20 s or more; windows:"; xwininfo -root -tree | grep -i corvane || true
    kill -0 "$pid" 2>/dev/null && echo "the saver runs" || echo "the saver has ended"
}
changed() { { compare -metric AE "$1" "$2" null: 2>&1 || true; } | awk '{printf "%d", $1}'; }
ended_within() {  # seconds
    for _ in $(seq $(($1 * 20))); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.05; done
    return 1
}
saver_geometry() {  # WIDTHxHEIGHT+X+Y of the saver's window on the root
    local id; id=$(xwininfo -root -tree | awk '/"Corvane Screen Saver"/ && !n++ {print $1}')
    xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /^ *Width/{w=$2} /^ *Height/{h=$2} END{printf "%sx%s+%s+%s", w, h, x, y}'
}
online() { [ -n "$(hostname -I 2>/dev/null | tr -d ' ')" ]; }

case $test in
run_and_end)
    start_saver /S
    # Two screenshots apart must differ by moving flags (a few tries: the
    # machine may be busy).
    diff=0
    for _ in 1 2 3 4 5; do
        import -window root "$work/a.png"; sleep 0.6; import -window root "$work/b.png"
        diff=$(changed "$work/a.png" "$work/b.png")
        [ "$diff" -gt 1000 ] && [ "$diff" -lt 1000000 ] && break
    done
    if ! { [ "$diff" -gt 1000 ] && [ "$diff" -lt 1000000 ]; }; then
        kill -0 "$pid" 2>/dev/null && echo "the saver runs" || echo "the saver has ended"
        cp "$work/a.png" "${TMPDIR:-/tmp}/corvane-gui-frozen.png" || true
        fail "flags did not move as expected ($diff pixels changed)"
    fi
    # The logo's emblem sits in the bottom-right corner: navy, not the white
    # background.
    size=$(screen_size); w=${size%x*}; h=${size#*x}
    [ "$(pixel "$work/b.png" $((w - 120 + 10)) $((h - 40 + 20)))" != "255,255,255" ] ||
        fail "no logo in the corner"
    cp "$work/b.png" "${TMPDIR:-/tmp}/corvane-gui-run.png" || true
    xdotool key space
    ended_within 3 || fail "a key did not end the run"
    if online; then
        [ "$(ini appdisplay)" = 0 ] || fail "appdisplay not cleared"
        for _ in $(seq 20); do [ -e "$work/tellwell-started" ] && break; sleep 0.1; done
        [ -e "$work/tellwell-started" ] || fail "Tellwell was not started"
    else
        [ "$(ini appdisplay)" = 1 ] || fail "off line, appdisplay must stay"
    fi
    ;;
mouse_moves)
    sed -i 's/appcurrent=3/appcurrent=0/' "$work/corvane.ini"
    start_saver /s
    for i in 1 2 3 4 5 6; do xdotool mousemove $((300 + 40 * i)) 300; sleep 0.1; done
    ended_within 3 || fail "five mouse moves did not end the run"
    [ "$(ini appcurrent)" = 1 ] || fail "the run was not counted: $(ini appcurrent)"
    [ ! -e "$work/tellwell-started" ] || fail "Tellwell started before it was due"
    ;;
second_copy)
    start_saver /S
    first=$pid
    start=$(date +%s%N)
    "$work/Corvane" /S || fail "the second copy failed"
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed" -lt 1000 ] || fail "the second copy took ${elapsed} ms"
    kill -0 "$first" || fail "the first copy is gone"
    kill "$first"
    ;;
missing_picture)
    rm "$work/vantrelsoftware/corvane/logo.bmp"
    start_saver /S
    for _ in $(seq 60); do
        [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" -ge 2 ] && break
        sleep 0.1
    done
    sleep 0.5
    [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" -ge 1 ] || fail "no window"
    import -window root "$work/msg.png"; cp "$work/msg.png" "${TMPDIR:-/tmp}/corvane-gui-message.png" || true
    kill -0 "$pid" || fail "ended without showing the message"
    box=$(xwininfo -root -tree | grep '"Corvane Screen Saver"' | grep -v '1920x1080' | awk '{print $1}' | head -1)
    [ -n "$box" ] || fail "no message box"
    xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus "$box" || true
    xdotool key Return
    ended_within 5 || fail "closing the message did not end the run"
    ;;
preview)
    # A plain window, painted 0x336699, as the preview target.
    "$build/tests/corvane_test_xwindow" 240 180 >"$work/id" & target_pid=$!
    for _ in $(seq 50); do [ -s "$work/id" ] && break; sleep 0.1; done
    id=$(head -1 "$work/id")
    [ -n "$id" ] || fail "no target window"
    for _ in $(seq 50); do xwininfo -id "$id" | grep -q IsViewable && break; sleep 0.1; done
    # A window manager that takes the window over later (a frame around it)
    # makes the server paint it afresh, over a preview drawn before.
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        for _ in $(seq 50); do xprop -id "$id" WM_STATE 2>/dev/null | grep -q Normal && break; sleep 0.1; done
    fi
    sleep 0.2
    "$work/Corvane" /p "$id" || fail "preview failed"
    x0=$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print $4}')
    y0=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/{print $4}')
    import -window root -crop "240x180+$x0+$y0" +repage "$work/p.png"
    cp "$work/p.png" "${TMPDIR:-/tmp}/corvane-gui-preview.png" || true
    kill $target_pid || true
    [ "$(pixel "$work/p.png" 155 60)" = "255,255,255" ] || fail "strip not white"
    [ "$(pixel "$work/p.png" 200 160)" = "51,102,153" ] || fail "drew beyond the block"
    [ "$(pixel "$work/p.png" 75 60)" != "51,102,153" ] || fail "no picture"
    "$work/Corvane" /p 12345 || fail "a missing window must end quietly"
    "$work/Corvane" /p || fail "no window number must end quietly"
    ;;
instance_across_modes)
    # The settings dialog open: a saver run ends at once, as with a saver.
    "$work/Corvane" /C & dialog=$!
    for _ in $(seq 100); do xwininfo -root -tree | grep -q '"Corvane' && break; sleep 0.1; done
    kill -0 "$dialog" || fail "the settings dialog did not stay"
    start=$(date +%s%N)
    timeout 5 "$work/Corvane" /S || fail "the saver run failed"
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed" -lt 1000 ] || fail "a saver started over the open dialog (${elapsed} ms)"
    kill -9 "$dialog"; wait "$dialog" 2>/dev/null || true
    # A saver running: the dialog and the preview still start.
    start_saver /S
    "$work/Corvane" /C & dialog=$!
    sleep 1
    kill -0 "$dialog" 2>/dev/null || fail "the dialog did not start beside a running saver"
    kill -9 "$dialog" "$pid"
    ;;
read_only_files)
    # A settings file the user may not write stays as it is, byte for byte.
    chmod 444 "$work/corvane.ini"
    cp "$work/corvane.ini" "$work/ini.before"
    start_saver /S
    xdotool key space
    ended_within 3 || fail "a key did not end the run"
    cmp -s "$work/corvane.ini" "$work/ini.before" || fail "the read-only settings file changed"
    [ "$(stat -c %a "$work/corvane.ini")" = 444 ] || fail "its mode changed"
    # A read-only desktop picture is not replaced either: desktop mode then
    # reports the missing files.
    chmod 644 "$work/corvane.ini"
    sed -i 's/scMode=0/scMode=1/' "$work/corvane.ini"
    printf 'not a picture' >"$work/vantrelsoftware/corvane/background.bmp"
    chmod 444 "$work/vantrelsoftware/corvane/background.bmp"
    "$work/Corvane" /S & pid=$!
    for _ in $(seq 60); do
        [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" -ge 2 ] && break
        sleep 0.1
    done
    [ "$(cat "$work/vantrelsoftware/corvane/background.bmp")" = "not a picture" ] ||
        fail "the read-only desktop picture was replaced"
    [ -z "$(find "$work" -name '.*.??????')" ] || fail "temporary files were left"
    pkill -9 -f "$work/Corvane" || true
    ;;
message_keys)
    # The missing-files message takes the keyboard, wherever the pointer is,
    # with or without a window manager; Return, Space and Escape close it.
    rm "$work/vantrelsoftware/corvane/logo.bmp"
    for key in Return space Escape; do
        xdotool mousemove 3 3
        "$work/Corvane" /S & pid=$!
        for _ in $(seq 60); do
            [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" -ge 2 ] && break
            sleep 0.1
        done
        sleep 0.3
        xdotool key "$key"
        ended_within 3 || fail "$key did not close the message"
    done
    ;;
session_signals)
    # SIGTERM, SIGINT and SIGHUP end every mode at once and write nothing;
    # the process ends by the signal (wait status 128 + N), as a program
    # stopped from outside does.
    cp "$work/corvane.ini" "$work/ini.before"
    for sig in TERM INT HUP; do
        "$work/Corvane" /C & pid=$!
        for _ in $(seq 100); do xwininfo -root -tree | grep -q '"Corvane' && break; sleep 0.1; done
        kill -"$sig" "$pid"
        ended_within 2 || fail "SIG$sig did not end the settings dialog"
        status=0
        wait "$pid" || status=$?
        [ "$status" = $((128 + $(kill -l "$sig"))) ] ||
            fail "SIG$sig ended the settings dialog with wait status $status"
    done
    rm "$work/vantrelsoftware/corvane/logo.bmp"
    for sig in TERM KILL; do
        "$work/Corvane" /S & pid=$!
        for _ in $(seq 60); do
            [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" -ge 2 ] && break
            sleep 0.1
        done
        kill -"$sig" "$pid"
        ended_within 2 || fail "SIG$sig did not end the saver showing its message"
        status=0
        wait "$pid" || status=$?
        [ "$status" = $((128 + $(kill -l "$sig"))) ] ||
            fail "SIG$sig ended the saver with wait status $status"
        sleep 0.3
        [ "$(xwininfo -root -tree | grep -c '"Corvane Screen Saver"')" = 0 ] ||
            fail "windows outlived the saver after SIG$sig"
        [ -z "$(pgrep -f "$work/Corvane")" ] || fail "a process outlived the saver after SIG$sig"
    done
    cmp -s "$work/corvane.ini" "$work/ini.before" || fail "a stopped mode wrote the settings"
    # The claim went with the killed saver: a new run starts.
    cp -r "$build/vantrelsoftware/corvane/logo.bmp" "$work/vantrelsoftware/corvane/"
    start_saver /S
    kill -0 "$pid" 2>/dev/null || fail "a new saver run did not start"
    kill "$pid"
    ;;
idle_timer)
    # A running saver never holds off the server's own idle timer (DPMS and
    # the lockers driven by it): idle past its time-out, its state turns on.
    xset s 3 0
    start_saver /S
    sleep 5
    state=$("$build/tests/corvane_test_idle_state")
    kill -0 "$pid" 2>/dev/null || fail "the saver ended by itself"
    kill "$pid"
    [ "${state%% *}" = on ] || fail "the server's saver stayed off at 5 s idle ($state)"
    ;;
no_display)
    # Without a display every mode ends at once, says why, and fails.
    for mode in /S /C "/P 1" /A; do
        start=$(date +%s%N)
        # shellcheck disable=SC2086
        if env -u DISPLAY timeout 5 "$work/Corvane" $mode 2>"$work/err"; then
            fail "$mode without a display reported success"
        fi
        elapsed=$((($(date +%s%N) - start) / 1000000))
        [ "$elapsed" -lt 2000 ] || fail "$mode without a display ran ${elapsed} ms"
        grep -q "display" "$work/err" || fail "$mode said nothing on standard error"
    done
    ;;
focus_back)
    # After a run the keyboard focus is where it was before, with or without
    # a window manager.
    sed -i 's/appcurrent=3/appcurrent=0/' "$work/corvane.ini"
    "$build/tests/corvane_test_xwindow" 200 100 >"$work/id" & target=$!
    for _ in $(seq 50); do [ -s "$work/id" ] && break; sleep 0.1; done
    id=$(head -1 "$work/id")
    for _ in $(seq 50); do xwininfo -id "$id" | grep -q IsViewable && break; sleep 0.1; done
    xdotool windowfocus "$id"
    before=$(xdotool getwindowfocus)
    start_saver /S
    xdotool key space
    ended_within 3 || fail "a key did not end the run"
    after=$(xdotool getwindowfocus 2>/dev/null || echo none)
    kill "$target" || true
    [ "$after" = "$before" ] || fail "the focus went to $after, not back to $before"
    ;;
claim_places)
    # A runtime folder that is not the user's own still gives a claim (in a
    # private folder instead), and the claim is per display.
    mkdir "$work/rt"
    if [ "$(id -u)" = 0 ]; then chown nobody "$work/rt"; else chmod 500 "$work/rt"; fi
    export XDG_RUNTIME_DIR="$work/rt"
    start_saver /S
    first=$pid
    start=$(date +%s%N)
    timeout 5 "$work/Corvane" /S || fail "the second copy failed"
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed" -lt 1000 ] || fail "no claim with an unusable runtime folder (${elapsed} ms)"
    [ -z "$(ls -A "$work/rt")" ] || fail "the claim went into a folder not the user's"
    fifo=$work/displayfd; mkfifo "$fifo"
    Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp 5>"$fifo" 2>/dev/null & other=$!
    read -r num <"$fifo"
    DISPLAY=":$num" "$work/Corvane" /S & second=$!
    sleep 2
    kill -0 "$second" 2>/dev/null || fail "a saver on another display stopped this one"
    kill "$second" "$first" "$other" 2>/dev/null || true
    ;;
two_monitors)
    # One 3840x1080 screen, two monitors: the window covers both from the
    # origin, the logo sits in the bottom-right corner of the whole, flags
    # cross both, and the desktop picture is the whole screen (blue on the
    # left, brown on the right).
    xrandr --setmonitor left 1920/508x1080/286+0+0 screen >/dev/null
    xrandr --setmonitor right 1920/508x1080/286+1920+0 none >/dev/null
    xsetroot -solid '#804020'
    "$build/tests/corvane_test_xwindow" 1920 1080 >/dev/null & helper=$!
    sed -i 's/scMode=0/scMode=1/' "$work/corvane.ini"
    sleep 0.5
    logo_pixels
    start_saver /S
    sleep 1
    [ "$(saver_geometry)" = "3840x1080+0+0" ] || fail "the window is $(saver_geometry)"
    import -window root "$work/a.png"; sleep 0.6; import -window root "$work/b.png"
    logo_at "$work/b.png" 3840 1080 || fail "no logo in the bottom-right corner of the whole"
    for half in 1920x1080+0+0 1920x1080+1920+0; do
        convert "$work/a.png" -crop $half +repage "$work/a1.png"
        convert "$work/b.png" -crop $half +repage "$work/b1.png"
        [ "$(changed "$work/a1.png" "$work/b1.png")" -gt 500 ] || fail "no flags move on $half"
    done
    bmp=$work/vantrelsoftware/corvane/background.bmp
    [ "$(identify -format %wx%h "$bmp")" = 3840x1080 ] || fail "the picture is $(identify -format %wx%h "$bmp")"
    [ "$(share "$bmp" 1920x1080+0+0 '#336699')" -gt 95 ] || fail "the left monitor is not in the picture"
    [ "$(share "$bmp" 1920x1080+1920+0 '#804020')" -gt 95 ] || fail "the right monitor is not in the picture"
    kill "$pid" "$helper"
    ;;
screen_resize)
    # The screen grows during the run: the window follows, and the run is
    # set up again at the new size (the logo in the new corner).
    xrandr --newmode 1280x720 74.5 1280 1344 1472 1664 720 723 728 748
    xrandr --addmode screen 1280x720
    xrandr --output screen --mode 1280x720 --fb 1280x720
    [ "$(screen_size)" = 1280x720 ] || fail "this X server cannot change its size"
    logo_pixels
    start_saver /S
    sleep 1
    import -window root "$work/a.png"
    logo_at "$work/a.png" 1280 720 || fail "no logo at 1280x720"
    xrandr --output screen --mode 1920x1080 --fb 1920x1080
    for _ in $(seq 30); do [ "$(saver_geometry)" = "1920x1080+0+0" ] && break; sleep 0.1; done
    [ "$(saver_geometry)" = "1920x1080+0+0" ] || fail "the window is $(saver_geometry) after growing"
    sleep 1
    import -window root "$work/b.png"
    logo_at "$work/b.png" 1920 1080 || fail "no logo in the corner after growing"
    [ "$(share "$work/b.png" 100x100+1500+900 '#000000')" -lt 50 ] || fail "black after growing"
    xdotool key space
    ended_within 3 || fail "a key did not end the run after growing"
    ;;
odd_depth|no_shared_memory)
    # A screen SDL makes no window pixels for (XVFB_DEPTH 8 or 30), or a
    # server that shares no memory with its clients (as a remote one): the
    # saver still shows, flags move and the logo is in its corner. Shots of
    # the window itself: an 8-bit window has a colour map of its own.
    "$work/Corvane" /S 2>"$work/err" & pid=$!
    for _ in $(seq 50); do
        id=$(xwininfo -root -tree | awk '/"Corvane Screen Saver"/ && !n++ {print $1}')
        [ -n "$id" ] && break
        kill -0 "$pid" 2>/dev/null || fail "ended: $(cat "$work/err")"
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window"
    sleep 1.5
    import -window "$id" "$work/a.png"; sleep 0.6; import -window "$id" "$work/b.png"
    [ "$(changed "$work/a.png" "$work/b.png")" -gt 1000 ] || fail "no flags move"
    size=$(screen_size); w=${size%x*}; h=${size#*x}
    [ "$(share "$work/b.png" 100x100+$((w / 2 - 50))+$((h / 2 - 50)) '#000000')" -lt 50 ] ||
        fail "the screen is black"
    # The logo's opaque pixels cover a third of its corner: colours come
    # back rounded, so the shares are measured, not the exact pixels.
    [ "$(share "$work/b.png" 120x40+$((w - 120))+$((h - 40)) '#FFFFFF')" -lt 80 ] &&
        [ "$(share "$work/b.png" 120x40+$((w - 120))+$((h - 40)) '#000000')" -lt 50 ] ||
        fail "no logo in the corner"
    cp "$work/b.png" "${TMPDIR:-/tmp}/corvane-gui-depth.png" || true
    xdotool key space
    ended_within 3 || fail "a key did not end the run"
    ;;
no_session_bus)
    # In a session without a message bus (a bare X session) none is started
    # for us: once the programs have ended in every mode, no process that
    # was ours or started by us is left on this display.
    command -v dbus-launch >/dev/null || fail "dbus-launch is missing (scripts/deps.sh)"
    unset DBUS_SESSION_BUS_ADDRESS
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    cp "$build/Tellwell" "$work/Tellwell"
    sed -i 's/appdisplay=1/appdisplay=0/' "$work/corvane.ini"
    start_saver /S
    sleep 1
    xdotool key space
    ended_within 3 || fail "a key did not end the run"
    for run in "/C" "-root" "TELLWELL"; do
        if [ "$run" = TELLWELL ]; then "$work/Tellwell" & pid=$!; else "$work/Corvane" $run & pid=$!; fi
        sleep 2
        kill "$pid"
        ended_within 3 || fail "$run did not end on SIGTERM"
    done
    sleep 1
    # Every process whose environment names this display, but this script
    # and those that started it.
    mine=" "
    p=$BASHPID
    while [ "$p" -gt 1 ]; do
        mine+="$p "
        p=$(awk '/^PPid:/{print $2}' "/proc/$p/status")
    done
    left="" pids=""
    for d in /proc/[0-9]*; do
        p=${d#/proc/}
        case $mine in *" $p "*) continue ;; esac
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" || continue
        left+="$p $(tr '\0' ' ' <"$d/cmdline" 2>/dev/null); "
        pids+="$p "
    done
    # shellcheck disable=SC2086
    [ -z "$pids" ] || { kill $pids 2>/dev/null; fail "left running: $left"; }
    ;;
*) fail "unknown test $test" ;;
esac
echo "PASS: $test"
