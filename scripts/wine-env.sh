#!/bin/sh
# Sourced by the Windows test scripts: a Wine prefix inside the build tree,
# quiet, without the Mono/Gecko prompts, booted once, with a wineserver
# kept alive between runs.
#   . scripts/wine-env.sh BUILD_DIR
# Run it inside the X session the tests use (DISPLAY set): a wineserver
# started without a display breaks the windows of later programs.
corvane_build_dir=${1:-${CORVANE_BUILD_DIR:-build-win}}
corvane_build_dir=$(cd "$corvane_build_dir" && pwd)
export WINEPREFIX="$corvane_build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/.corvane-booted" ]; then
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot -u >/dev/null 2>&1 && touch "$WINEPREFIX/.corvane-booted"
fi
# Persistent server: later wine starts skip the cold start. Its service
# processes are started here, away from any pipe of the caller (they would
# hold it open after the program that started them has ended).
wineserver -p
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
