# Shared helpers for the process tests under X. Source it from bash:
#   . "$(dirname "$0")/lib.sh"
#   gui_start            # Xvfb when there is no DISPLAY; a work folder in $GUI_TMP
#   gui_start_wm         # openbox, for title bars, close boxes and Alt+F4
#   gui_wait_window NAME # the id of a visible window whose title is NAME
#   gui_shot FILE.png    # a screenshot of the whole screen
# Everything started here is ended by the EXIT trap, by process id.
# GUI_SCREEN sets the size of a new Xvfb screen (default 1024x768).

GUI_PIDS=()
GUI_TMP=""

gui_skip() {  # the test cannot run here: CTest reports it skipped
    echo "SKIP: $*"
    exit 77
}

gui_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

gui_cleanup() {
    local i
    for ((i = ${#GUI_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${GUI_PIDS[i]}" 2>/dev/null
    done
    for ((i = ${#GUI_PIDS[@]} - 1; i >= 0; i--)); do
        wait "${GUI_PIDS[i]}" 2>/dev/null
    done
    [ -n "$GUI_TMP" ] && [ -z "${GUI_KEEP:-}" ] && rm -rf "$GUI_TMP"
}
trap gui_cleanup EXIT

gui_start() {
    local tool
    for tool in xdotool xwininfo xdpyinfo convert; do
        command -v "$tool" >/dev/null || gui_skip "$tool is not installed"
    done
    GUI_TMP=$(mktemp -d "${TMPDIR:-/tmp}/gui_test.XXXXXX")
    # Always a server of our own: the caller's display (a desktop, a bare
    # Xvfb) is never touched, and every run sees the same screen.
    command -v Xvfb >/dev/null || gui_skip "Xvfb is not installed"
    # -displayfd picks a free display and writes its number; -noreset keeps
    # the server as it is when its last client leaves; a 24-bit screen keeps
    # colours exact.
    Xvfb -displayfd 5 -screen 0 "${GUI_SCREEN:-1024x768}x24" -nolisten tcp -noreset \
        5>"$GUI_TMP/display" 2>"$GUI_TMP/xvfb.log" &
    GUI_PIDS+=($!)
    local n
    for n in $(seq 100); do
        [ -s "$GUI_TMP/display" ] && break
        sleep 0.05
    done
    [ -s "$GUI_TMP/display" ] || gui_fail "Xvfb did not start: $(cat "$GUI_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$GUI_TMP/display")"
    xdpyinfo >/dev/null 2>&1 || gui_fail "the X server at $DISPLAY does not answer"
}

gui_start_wm() {
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        return 0  # a window manager runs already
    fi
    command -v openbox >/dev/null || gui_skip "openbox is not installed"
    openbox --sm-disable >"$GUI_TMP/openbox.log" 2>&1 &
    GUI_PIDS+=($!)
    local n
    for n in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    gui_fail "openbox did not start"
}

# Starts a program in the background, ended with the others at exit.
gui_run() {
    "$@" &
    GUI_PIDS+=($!)
    GUI_LAST_PID=$!
}

gui_wait_window() {  # NAME [SECONDS]
    local n id
    for n in $(seq $((${2:-30} * 20))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

gui_wait_gone() {  # PID [SECONDS]: waits for the process to end; its exit code
    local n
    for n in $(seq $((${2:-30} * 20))); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            return $?
        fi
        sleep 0.05
    done
    return 124
}

gui_shot() {
    xwd -root -silent | convert xwd:- "$1"
}

# Clicks at x, y of a window's client area.
gui_click() {  # WINDOW X Y
    xdotool mousemove --window "$1" "$2" "$3" click 1
}
