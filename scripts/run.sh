#!/usr/bin/env bash
# Builds Corvane and runs the screen saver from its program folder (build/).
# With a display, the saver runs full screen until you press a key, click or
# move the mouse. Without one, it runs for a few seconds inside Xvfb and
# leaves a screenshot in corvane-screenshot.png and a short animation,
# corvane-preview.gif, drawn without any display by corvane-render.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Only what it runs: the programs, their pictures and the render tool (the
# tests and benchmarks are scripts/test.sh's).
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target Corvane Tellwell corvane-render
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec build/Corvane /S
fi
out=$(pwd)/corvane-screenshot.png
XVFB_WM=0 scripts/xvfb.sh bash -c '
    build/Corvane /S & pid=$!
    sleep "${CORVANE_SECONDS:-4}"
    import -window root "$1"
    xdotool key space
    sleep 0.5; kill $pid 2>/dev/null || true
' _ "$out"
echo "Screenshot of the running saver: $out"
gif=$(pwd)/corvane-preview.gif
build/corvane-render --size 800x450 --frames 40 --gif "$gif"
echo "Animation of the saver (40 frames, 2 s): $gif"
