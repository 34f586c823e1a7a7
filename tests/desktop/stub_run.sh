#!/usr/bin/env bash
# The stub window system runs a saver without any display server, as SDL's
# dummy driver does: asked for by CORVANE_DESKTOP or --desktop, /S sets up
# (the desktop picture, white, saved at the screen's 1024x768) and runs
# until SIGTERM ends it, writing nothing else and leaving nothing running.
# Usage: stub_run.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'pkill -f "$work/Corvane" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
check() { if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1"; failures=$((failures + 1)); fi; }
alive() { kill -0 "$1" 2>/dev/null; }
ended_within() {  # PID SECONDS
    for _ in $(seq $(($2 * 10))); do alive "$1" || return 0; sleep 0.1; done
    return 1
}
cp "$build/Corvane" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
picture=$work/vantrelsoftware/corvane/background.bmp

for how in env option; do
    rm -f "$picture"
    printf '[mode]\nscMode=1\n[applic]\nappcurrent=3\nappalert=3\nappdisplay=1\n' >"$work/corvane.ini"
    cp "$work/corvane.ini" "$work/ini.before"
    if [ $how = env ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY CORVANE_DESKTOP=stub "$work/Corvane" /S 2>"$work/err" &
    else
        env -u DISPLAY -u WAYLAND_DISPLAY "$work/Corvane" --window-system=stub /S 2>"$work/err" &
    fi
    pid=$!
    for _ in $(seq 50); do [ -s "$picture" ] && break; sleep 0.1; done
    sleep 1
    check "$how: /S runs without a display" alive $pid
    check "$how: the desktop picture is the stub screen's size, white" \
        test "$(identify -format '%wx%h %[fx:mean]' "$picture" 2>/dev/null)" = "1024x768 1"
    kill -TERM $pid
    check "$how: SIGTERM ends it" ended_within $pid 3
    wait $pid 2>/dev/null
    check "$how: the run was not counted" cmp -s "$work/corvane.ini" "$work/ini.before"
    check "$how: nothing left running" test -z "$(pgrep -f "$work/Corvane")"
    [ -s "$work/err" ] && sed 's/^/  stderr: /' "$work/err"
done

# Asked for by a name there is none of: an error naming it, at once.
env -u DISPLAY CORVANE_DESKTOP=mir timeout 5 "$work/Corvane" /S 2>"$work/err"
check "an unknown window system is an error" test $? = 1
check "the error names it" grep -q '"mir"' "$work/err"
echo "$failures failure(s)"
[ $failures -eq 0 ]
