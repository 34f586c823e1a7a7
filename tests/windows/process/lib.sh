# Helpers of the Windows process tests (run inside one X session, with the
# build tree's Wine prefix; see scripts/test-windows.sh).
#   WIN_BUILD  the cross build folder      WIN_PROG  the installed program folder
#   WIN_SHOTS  where screenshots go        WIN_SRC   the source tree

RESULTS=()

pass() { RESULTS+=("PASS $1"); echo "PASS: $1"; }
fail() { RESULTS+=("FAIL $1: $2"); echo "FAIL: $1: $2" >&2; }

# A Windows path for a Linux one (Wine's Z: drive).
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# Waits for a visible window with exactly this title; prints its id.
wait_window() {
    local name=$1 seconds=${2:-20} id n
    for ((n = 0; n < seconds * 10; n++)); do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits until the process ends; 1 when it is still running after the time.
wait_gone() {
    local pid=$1 seconds=${2:-15} n
    for ((n = 0; n < seconds * 10; n++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Ends a wine process that a test left running.
stop() { kill "$1" 2>/dev/null; wait_gone "$1" 5 || kill -9 "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

ini_get() {  # section key: the value in the program folder's corvane.ini
    awk -v s="[$1]" -v k="$2" 'BEGIN{IGNORECASE=1} {sub(/\r$/,"")} /^\[/{in_s=(tolower($0)==tolower(s))} in_s && index(tolower($0), tolower(k)"=")==1 {print substr($0, length(k)+2)}' \
        "$WIN_PROG/corvane.ini"
}

reset_ini() { cp "$WIN_SRC/assets/corvane.ini" "$WIN_PROG/corvane.ini"; }

focus_root() { xdotool windowfocus "$(xwininfo -root | awk '/Window id:/{print $4}')" 2>/dev/null || true; }

# Runs a command without the right to write what its owner may not: for
# root, without the capabilities that pass over a file's permission bits
# (for everyone else nothing changes). Wine's files are written by its
# server, so the server must be started this way too (as_owner_server).
as_owner() {
    if [ "$(id -u)" = 0 ]; then
        setpriv --bounding-set -dac_override,-dac_read_search -- "$@"
    else
        "$@"
    fi
}

# Restarts the prefix's wine server, with (as_owner) or without (plain) the
# restriction of as_owner.
restart_wineserver() {  # as_owner|plain
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    if [ "$1" = as_owner ]; then
        as_owner wineserver -p
        as_owner wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    else
        wineserver -p
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    fi
}

# The Windows path of the running wine program with this Linux pid.
wine_program_of() { tr '\0' '\n' <"/proc/$1/cmdline" 2>/dev/null | head -1; }

# Whether the images of a Windows program's first icon group are those of
# an .ico file.
same_icon() {  # PROGRAM ICO
    local d rc=1
    d=$(mktemp -d)
    mkdir -p "$d/got" "$d/want"
    if wrestool -x -t14 "$1" -o "$d/got.ico" 2>/dev/null && [ -s "$d/got.ico" ] &&
        icotool -x "$d/got.ico" -o "$d/got" && icotool -x "$2" -o "$d/want"; then
        [ "$(cd "$d/got" && md5sum -- * | cut -d' ' -f1)" = "$(cd "$d/want" && md5sum -- * | cut -d' ' -f1)" ] && rc=0
    fi
    rm -rf "$d"
    return $rc
}
