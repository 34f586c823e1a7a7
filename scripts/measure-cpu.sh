#!/usr/bin/env bash
# The saver's CPU against a plain SDL2 saver drawing the same scene
# (bench/reference/plain_saver.cpp), at each size. The two run side by side,
# each in an X server of its own (Xvfb with openbox, alike in all else), for
# RUNS stretches of 10 seconds: both see the same load of this shared
# machine, which in runs one after the other changed a program's CPU by a
# fifth from one run to the next. CPU of all the process's threads in
# nanoseconds (schedstat), alone and with its X server's added. Prints the
# medians of the stretches' ratios, the medians of the figures, and the
# host's memcpy reference beside them.
# Usage: scripts/measure-cpu.sh [BUILD_DIR] [RUNS] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-5}
shift 2 || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/Corvane" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
printf '[mode]\r\nscMode=0\r\n' >"$work/corvane.ini"
export work build runs

# Inside one X server: starts the program, writes "PID SERVER_PID" to the
# given file and waits until the file ends the run (removed).
host() {  # FILE COMMAND...
    local file=$1; shift
    "$@" & local pid=$!
    echo "$pid $XVFB_PID" >"$file.tmp" && mv "$file.tmp" "$file"
    while [ -e "$file" ]; do sleep 0.2; done
    kill $pid; wait $pid 2>/dev/null || true
}
export -f host
cpu() { cat /proc/$1/task/*/schedstat | awk '{s += $1} END {print s}'; }
med() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

for size in "${sizes[@]}"; do
    : >"$work/cpu-$size"
    for _ in $(seq "$runs"); do
        rm -f "$work/saver.ids" "$work/plain.ids"
        XVFB_SIZE=$size scripts/xvfb.sh bash -c 'host "$work/saver.ids" "$work/Corvane" /S' &
        a=$!
        XVFB_SIZE=$size scripts/xvfb.sh bash -c \
            'host "$work/plain.ids" "$build/corvane_plain_saver" "$work/vantrelsoftware/corvane"' &
        b=$!
        while [ ! -e "$work/saver.ids" ] || [ ! -e "$work/plain.ids" ]; do sleep 0.1; done
        read -r sp sx <"$work/saver.ids"
        read -r pp px <"$work/plain.ids"
        sleep 2
        s0=$(cpu $sp) sx0=$(cpu $sx) p0=$(cpu $pp) px0=$(cpu $px) t0=$(date +%s%N)
        sleep 10
        s1=$(cpu $sp) sx1=$(cpu $sx) p1=$(cpu $pp) px1=$(cpu $px) t1=$(date +%s%N)
        rm -f "$work/saver.ids" "$work/plain.ids"
        wait $a $b || true
        awk -v s=$((s1 - s0)) -v sx=$((sx1 - sx0)) -v p=$((p1 - p0)) -v px=$((px1 - px0)) \
            -v t=$((t1 - t0)) 'BEGIN { printf "%.4f %.4f %.4f %.4f %.3f %.3f\n",
                100 * s / t, 100 * (s + sx) / t, 100 * p / t, 100 * (p + px) / t,
                s / p, (s + sx) / (p + px) }' >>"$work/cpu-$size"
    done
    col() { awk -v c=$1 '{print $c}' "$work/cpu-$size" | med; }
    echo "$size: ratio $(col 5) (saver $(col 1) % of a core, plain SDL2 $(col 3) %);" \
         "with the X servers: ratio $(col 6) ($(col 2) % against $(col 4) %)" \
         "(ratios per run: $(awk '{printf "%s/%s ", $5, $6}' "$work/cpu-$size"))"
done
if [ -x "$build/corvane_bench" ]; then
    "$build/corvane_bench" --benchmark_filter='Frame/1920x1080$' --benchmark_repetitions=3 2>/dev/null |
        awk '/_median/ { for (i = 1; i <= NF; i++) if (sub(/^memcpy_ns=/, "", $i))
            print "host reference: memcpy of one 1920x1080 frame'"'"'s bytes: " $i " ns (median of 3)" }'
fi
