#!/bin/sh
# Runs a Windows program under Wine with the build tree's prefix: the
# emulator of the cross build (CTest, test discovery). The build tree is
# the nearest folder above the working directory or the program that holds
# CMakeCache.txt, unless WINEPREFIX is already set.
if [ -z "$WINEPREFIX" ]; then
    d=$(pwd)
    while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
    if [ ! -f "$d/CMakeCache.txt" ]; then
        d=$(cd "$(dirname "$1")" && pwd)
        while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
    fi
    export WINEPREFIX="$d/wineprefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
