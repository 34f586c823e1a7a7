#!/usr/bin/env bash
# Measures the saver in a Wayland session (a headless sway with XWayland,
# 1920x1080, run as the plain user corvane-wl): the CPU of /S drawing
# through Wayland, of the same run through XWayland, and of the plain SDL2
# saver (bench/reference) through XWayland, in alternating 10-second runs
# (the program's own threads, and with the compositor's and XWayland's
# added), with the saver's ratios to the plain one; and process start to the
# first frame handed to the compositor. Run as root. Prints one line per
# figure.
# Usage: scripts/measure-wayland.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
user=corvane-wl
id "$user" >/dev/null 2>&1 || useradd -m -s /bin/sh "$user"
work=$(mktemp -d)
chmod 755 "$work"
trap 'cat "$work/err" 2>/dev/null; pkill -u "$user" || true; sleep 0.3; pkill -9 -u "$user" || true; rm -rf "$work"' EXIT
cp "$build/Corvane" "$build/corvane_plain_saver" "$work/"
cp -r "$build/vantrelsoftware" "$work/"
printf '[mode]\nscMode=0\n' >"$work/corvane.ini"
rt=$work/runtime
mkdir -m 700 "$rt"
chown -R "$user" "$work"
printf 'output * bg #3366cc solid_color\noutput HEADLESS-1 res 1920x1080\nxwayland enable\n' \
    >"$work/sway.conf"
runuser -u "$user" -- env -i HOME="$work" PATH="$PATH" XDG_RUNTIME_DIR="$rt" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
for _ in $(seq 100); do ls "$rt"/sway-ipc.*.sock >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
sock=$(ls "$rt"/sway-ipc.*.sock)
exec_in_sway() { runuser -u "$user" -- env SWAYSOCK="$sock" swaymsg exec "$1" >/dev/null; }
cpu() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'; }
# the saver's CPU and the saver's with the compositor's and XWayland's, in
# % of a core over 10 s
measure() {  # NAME COMMAND
    exec_in_sway "cd $work && $2 2>>$work/err"
    sleep 2
    local pid others a b oa ob t0 t1
    pid=$(pgrep -n -u "$user" -f "$work/(Corvane|corvane_plain_saver)" || true)
    others=$(pgrep -u "$user" -x 'sway|Xwayland' | tr '\n' ' ')
    a=$(cpu "$pid"); oa=0; for o in $others; do oa=$((oa + $(cpu "$o"))); done
    t0=$(date +%s%N); sleep 10; t1=$(date +%s%N)
    b=$(cpu "$pid"); ob=0; for o in $others; do ob=$((ob + $(cpu "$o"))); done
    kill "$pid"; sleep 0.5
    echo "$1 $(echo "scale=3; 100 * ($b - $a) / ($t1 - $t0)" | bc) \
$(echo "scale=3; 100 * ($b - $a + $ob - $oa) / ($t1 - $t0)" | bc)"
}
for _ in $(seq "$runs"); do
    measure wayland "CORVANE_DESKTOP=wayland $work/Corvane /S"
    measure x11 "CORVANE_DESKTOP=x11 $work/Corvane /S"
    measure plain "SDL_VIDEODRIVER=x11 $work/corvane_plain_saver $work/vantrelsoftware/corvane"
done >"$work/cpu"
for d in wayland x11 plain; do
    grep "^$d " "$work/cpu" | sort -k2 -n | awk -v d="$d" '{o[NR]=$2; w[NR]=$3; all=all " " $2 "/" $3}
        END {m=int((NR+1)/2); printf "%s: %s %% of a core, with sway and XWayland %s %% (runs, own/all:%s)\n", d, o[m], w[m], all}'
done | tee "$work/medians"
awk '{v[$1] = $2; w[$1] = $11} END {
    printf "ratios to the plain SDL2 saver through XWayland (not a goal): through Wayland %.2f (with sway and XWayland %.2f), through XWayland %.2f (%.2f)\n",
        v["wayland:"] / v["plain:"], w["wayland:"] / w["plain:"], v["x11:"] / v["plain:"], w["x11:"] / w["plain:"] }' "$work/medians"
# start to the first frame: from the saver's first request to the compositor
# to the first buffer attached, as the Wayland debug log stamps them (the
# process's start before its connection, a few ms, is not counted)
for _ in 1 2 3 4 5; do
    runuser -u "$user" -- env -i XDG_RUNTIME_DIR="$rt" WAYLAND_DISPLAY=wayland-1 \
        WAYLAND_DEBUG=1 "$work/Corvane" /S 2>"$work/debug" &
    sleep 2
    pkill -u "$user" -f "$work/Corvane" || true
    sleep 0.3
    stamp() { grep -m1 "$1" "$work/debug" | sed 's/^\[ *\([0-9]*\)\.\([0-9]*\)\].*/\1\2/'; }
    echo $(( ($(stamp 'wl_surface@[0-9]*\.attach') - $(stamp '^\[')) / 1000 ))
done | sort -n | awk '{v[NR]=$1} END {print "first request to first frame through Wayland, 1920x1080: median " v[3] " ms (with the debug log on)"}'
