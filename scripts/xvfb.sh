#!/usr/bin/env bash
# Runs a command inside a fresh Xvfb server (1920x1080, 24-bit, or
# XVFB_SIZE and XVFB_DEPTH, more options in XVFB_ARGS) and a
# window manager; the server ends with the command.
# Usage: scripts/xvfb.sh COMMAND [ARGS...]
set -euo pipefail
size=${XVFB_SIZE:-1920x1080}
fifo=$(mktemp -u); mkfifo "$fifo"
# shellcheck disable=SC2086 # XVFB_ARGS: several words
Xvfb -displayfd 5 -screen 0 "${size}x${XVFB_DEPTH:-24}" -nolisten tcp -noreset ${XVFB_ARGS:-} \
    5>"$fifo" 2>/dev/null &
xvfb=$!
export XVFB_PID=$xvfb  # for measurements of the server's own CPU
read -r num <"$fifo"; rm -f "$fifo"
export DISPLAY=":$num"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wm=""
if command -v openbox >/dev/null && [ "${XVFB_WM:-1}" = 1 ]; then
    openbox >/dev/null 2>&1 & wm=$!
    # Wait until it manages windows: a window mapped while it starts may be
    # left unmanaged.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
fi
status=0
"$@" || status=$?
[ -n "$wm" ] && kill "$wm" 2>/dev/null || true
kill "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true
exit $status
