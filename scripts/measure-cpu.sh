#!/usr/bin/env bash
# The saver's CPU against a plain SDL2 saver drawing the same scene
# (bench/reference/plain_saver.cpp), in one X server with openbox at each
# size, in alternating 10-second runs; CPU of all the process's threads in
# nanoseconds (schedstat), alone and with the X server's added. Prints the
# medians, their ratios, and the host's memcpy reference beside them.
# Usage: scripts/measure-cpu.sh [BUILD_DIR] [RUNS] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
shift 2 || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/Corvane" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
printf '[mode]\r\nscMode=0\r\n' >"$work/corvane.ini"
export work build runs
for size in "${sizes[@]}"; do
    SIZE=$size XVFB_WM=1 XVFB_SIZE=$size scripts/xvfb.sh bash -c '
        server=$(pgrep -n -x Xvfb)
        cpu() { cat /proc/$1/task/*/schedstat | awk "{s += \$1} END {print s}"; }
        one() {  # NAME COMMAND...
            local name=$1; shift
            "$@" & local pid=$!
            sleep 2
            local a=$(cpu $pid) x=$(cpu $server) t0=$(date +%s%N)
            sleep 10
            local b=$(cpu $pid) y=$(cpu $server) t1=$(date +%s%N)
            kill $pid; wait $pid 2>/dev/null || true
            sleep 0.5
            echo "$name $(echo "scale=4; 100 * ($b - $a) / ($t1 - $t0)" | bc) $(echo "scale=4; 100 * ($b - $a + $y - $x) / ($t1 - $t0)" | bc)"
        }
        for _ in $(seq $runs); do
            one saver "$work/Corvane" /S
            one plain "$build/corvane_plain_saver" "$work/vantrelsoftware/corvane"
        done >"$work/cpu-$SIZE"
        med() { grep "^$1 " "$work/cpu-$SIZE" | awk -v c=$2 "{print \$c}" | sort -n |
                awk "{v[NR]=\$1} END {print v[int((NR+1)/2)]}"; }
        s=$(med saver 2) p=$(med plain 2) sx=$(med saver 3) px=$(med plain 3)
        echo "$SIZE: saver $s %, plain SDL2 $p % of a core: ratio $(echo "scale=2; $s / $p" | bc);" \
             "with the X server: $sx % against $px %: ratio $(echo "scale=2; $sx / $px" | bc)" \
             "(runs: $(tr "\n" " " <"$work/cpu-$SIZE"))"
    '
done
if [ -x "$build/corvane_bench" ]; then
    "$build/corvane_bench" --benchmark_filter='Frame/1920x1080$' --benchmark_repetitions=3 2>/dev/null |
        awk '/_median/ { for (i = 1; i <= NF; i++) if (sub(/^memcpy_ns=/, "", $i))
            print "host reference: memcpy of one 1920x1080 frame'"'"'s bytes: " $i " ns (median of 3)" }'
fi
