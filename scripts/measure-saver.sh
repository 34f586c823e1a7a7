#!/usr/bin/env bash
# Measures the real saver under Xvfb: CPU per wall second of an idle run
# (median of three), process start to first picture on screen (white and
# desktop mode), and peak resident memory at 3840x2160. Prints one line per
# figure.
# Usage: scripts/measure-saver.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/Corvane" "$work/"; cp -r "$build/vantrelsoftware" "$work/"
setmode() { printf '[mode]\r\nscMode=%s\r\n' "$1" >"$work/corvane.ini"; }

export work build
setmode 0
# CPU: three runs, each in a server of its own, 10 s after a 2 s start; the
# CPU time of all the saver's threads in nanoseconds (schedstat).
for run in 1 2 3; do
    XVFB_WM=1 XVFB_SIZE=1920x1080 scripts/xvfb.sh bash -c '
        "$work/Corvane" /S & pid=$!
        sleep 2
        cpu() { cat /proc/$pid/task/*/schedstat | awk "{s += \$1} END {print s}"; }
        a=$(cpu); t0=$(date +%s%N); sleep 10; b=$(cpu); t1=$(date +%s%N)
        echo "scale=3; 100 * ($b - $a) / ($t1 - $t0)" | bc
        kill $pid; wait $pid 2>/dev/null || true
    '
done | sort -n | awk '{v[NR] = $1; all = all " " $1} END {
    print "idle CPU at 1920x1080: median " v[2] " % of a core (runs:" all ")"}'
XVFB_WM=1 XVFB_SIZE=1920x1080 scripts/xvfb.sh bash -c '
    for i in 1 2 3 4 5; do "$build/tests/corvane_first_frame_probe" 1810 1060 "$work/Corvane" /S; sleep 0.3; done |
        sort -n | awk "{v[NR]=\$1} END {print \"start to first frame, white mode, 1920x1080: median \" v[3] \" ms\"}"
'
setmode 1
XVFB_WM=1 XVFB_SIZE=1920x1080 scripts/xvfb.sh bash -c '
    xsetroot -solid "#204060"
    for i in 1 2 3 4 5; do "$build/tests/corvane_first_frame_probe" 1810 1060 "$work/Corvane" /S; sleep 0.3; done |
        sort -n | awk "{v[NR]=\$1} END {print \"start to first frame, desktop mode, 1920x1080: median \" v[3] \" ms\"}"
'
for mode in 0 1; do
    setmode $mode
    MODE=$mode XVFB_WM=0 XVFB_SIZE=3840x2160 scripts/xvfb.sh bash -c '
        "$work/Corvane" /S & pid=$!
        sleep 4
        kb=$(awk "/VmHWM/{print \$2}" /proc/$pid/status)
        kill $pid; wait $pid 2>/dev/null || true
        buf=$((3840 * 2160 * 4 / 1024))
        echo "peak resident memory, mode $MODE, 3840x2160: $((kb / 1024)) MiB = $(echo "scale=2; $kb / $buf" | bc) screen buffers"
    '
done
# The CPU figure depends on the host's memory as much as on our code: the
# frame benchmark's memcpy of one full-HD frame's bytes gives the host's
# speed, to compare figures measured on different machines.
if [ -x "$build/corvane_bench" ]; then
    "$build/corvane_bench" --benchmark_filter='Frame/1920x1080$' --benchmark_repetitions=3 2>/dev/null |
        awk '/_median/ { for (i = 1; i <= NF; i++) if (sub(/^memcpy_ns=/, "", $i))
            print "host reference: memcpy of one 1920x1080 frame'"'"'s bytes: " $i " ns (median of 3)" }'
fi
