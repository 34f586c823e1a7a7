# Helpers of the hack-mode process tests (sourced). Expects $work (a folder
# that holds the program folder) to be set.
failures=0
pids=()
# need_user NAME: a plain user for what refuses to run as root, made when
# missing (as root); without one the test is skipped (exit code 77).
need_user() {
    id "$1" >/dev/null 2>&1 && return 0
    [ "$(id -u)" = 0 ] || { echo "SKIP: no user $1 and not root to make one"; exit 77; }
    useradd -m -s /bin/sh "$1" || exit 1
}
stop_started() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; }
# program_folder BUILD_DIR: the program, its pictures and a settings file
# (kept as ini.before) in $work
program_folder() {
    cp "$1/Corvane" "$work/"
    cp -r "$1/vantrelsoftware" "$work/"
    printf '[mode]\nscMode=0\n[applic]\nappcurrent=3\nappalert=3\nappdisplay=1\n' >"$work/corvane.ini"
    cp "$work/corvane.ini" "$work/ini.before"
}
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1"; failures=$((failures + 1)); fi
}
# Opaque pixels of the logo as "x,y: #RRGGBB" lines (green is transparent).
logo_pixels() {
    convert "$work/vantrelsoftware/corvane/logo.bmp" txt:- |
        awk 'NR > 1 && $3 != "#00FF00" { print $1, $3 }' >"$work/logo.txt"
}
# logo_at SHOT RIGHT BOTTOM: the logo's opaque pixels, bottom-right at there
logo_at() {
    convert "$1" -crop "120x40+$(($2 - 120))+$(($3 - 40))" +repage txt:- |
        awk 'NR > 1 { print $1, $3 }' >"$work/crop.txt"
    awk 'NR == FNR { want[$1] = $2; next }
         ($1 in want) { n++; if (want[$1] != $2) bad++ }
         END { exit !(n > 1000 && bad == 0) }' "$work/logo.txt" "$work/crop.txt"
}
# share SHOT GEOMETRY COLOUR: the percentage of the area's pixels that have
# exactly that colour (#RRGGBB); the geometry counts from the shot's own
# corner, also for a shot cropped by import (which keeps its offset)
share() {
    local size=${2%%+*}
    convert "$1" +repage -crop "$2" +repage "$work/share.png"
    compare -metric AE "$work/share.png" -size "$size" "xc:$3" null: 2>&1 |
        awk -v wh="${size/x/*}" 'BEGIN { split(wh, d, "*") } { printf "%d", 100 - 100 * $1 / (d[1] * d[2]) }'
}
changed() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" -gt 500 ]; }
alive() { kill -0 "$1" 2>/dev/null; }
# ends_within PID SECONDS STATUS: the process ends in time with that wait
# status (0, or 143 for an end by SIGTERM, as a daemon expects of a hack)
ends_within() {
    local i status
    for i in $(seq $(($2 * 10))); do alive "$1" || break; sleep 0.1; done
    alive "$1" && return 1
    wait "$1"
    status=$?
    [ "$status" = "$3" ] || { echo "  (wait status $status, not $3)"; return 1; }
}
exits_zero_within() { ends_within "$1" "$2" 0; }
ends_by_sigterm_within() { ends_within "$1" "$2" 143; }
