#!/usr/bin/env bash
# Corvane under the real xscreensaver daemon, on one X screen of 3840x1080
# with two monitors (scripts/xvfb.sh with XVFB_SIZE=3840x1080): the daemon
# runs one copy per monitor in its own window. In desktop mode each copy
# shows the desktop that was under its monitor (the daemon's screenshot, not
# the daemon's black window), after each of a dozen restarts too, both save the desktop picture at once without
# failing, "-desktop" holds for the run and leaves corvane.ini alone.
# The daemon refuses to run display programs as root: it runs as the plain
# user corvane-xss, made here when missing.
# Usage: daemon_test.sh BUILD_DIR DESKTOP_WINDOW_HELPER
# (CORVANE_DAEMON_RESTARTS=N: N restarts in each cycle instead of 4.)
set -uo pipefail
build=$1
helper=$2
user=corvane-xss
. "$(dirname "$0")/lib.sh"
need_user "$user"
home=$(getent passwd "$user" | cut -d: -f6)
work=$(mktemp -d)
chmod 755 "$work"
as_user() { su -s /bin/sh "$user" -c "DISPLAY=$DISPLAY HOME=$home $*"; }
trap 'as_user xscreensaver-command -exit >/dev/null 2>&1; stop_started; rm -rf "$work"' EXIT

program_folder "$build"
chown -R "$user" "$work"
logo_pixels

# Two monitors side by side; the desktop blue on the left, brown on the right.
xrandr --setmonitor left 1920/508x1080/286+0+0 screen >/dev/null
xrandr --setmonitor right 1920/508x1080/286+1920+0 none >/dev/null
xsetroot -solid '#804020'
"$helper" 1920 1080 >/dev/null & pids+=($!)
for _ in $(seq 50); do
    import -window root -crop 1x1+5+5 "$work/p.png" 2>/dev/null &&
        [ "$(share "$work/p.png" 1x1+0+0 '#336699')" = 100 ] && break
    sleep 0.1
done

cat >"$home/.xscreensaver" <<CONF
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
mode: one
selected: 0
programs: "Corvane" $work/Corvane -root -desktop 2>>$work/stderr \\n
CONF
chown "$user" "$home/.xscreensaver"
as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do as_user xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.1; done

both_logos() {  # waits until both copies draw, then leaves the shot in $work/s.png
    for _ in $(seq 40); do
        import -window root "$work/s.png" 2>/dev/null &&
            logo_at "$work/s.png" 1920 1080 && logo_at "$work/s.png" 3840 1080 && return 0
        sleep 0.25
    done
    return 1
}
# 3 cycles: each starts two copies that save the desktop picture at once.
yes >/dev/null & pids+=($!)  # a busy machine, as a daemon's restarts often meet
for cycle in 1 2 3; do
    as_user xscreensaver-command -activate >/dev/null
    check "cycle $cycle: both monitors show the saver, logo bottom-right" both_logos
    sleep 0.5
    check "cycle $cycle: two copies run" test "$(pgrep -c -f "^$work/Corvane")" = 2
    if [ "$cycle" = 1 ]; then
        left=$(share "$work/s.png" 1920x1080+0+0 '#336699')
        right=$(share "$work/s.png" 1920x1080+1920+0 '#804020')
        check "left monitor shows its desktop ($left % blue)" test "$left" -gt 50
        check "right monitor shows its desktop ($right % brown)" test "$right" -gt 50
    fi
    # The daemon's own restarts of the display programs (as its cycle timer
    # does): it kills both copies with SIGTERM, reaps and logs them, and
    # starts two new ones, here with a busy process beside them. Each
    # monitor shows the saver over its own desktop after every restart.
    for restart in $(seq "${CORVANE_DAEMON_RESTARTS:-4}"); do
        as_user xscreensaver-command -cycle >/dev/null
        check "cycle $cycle, restart $restart: both monitors show the saver" both_logos
        left=$(share "$work/s.png" 1920x1080+0+0 '#336699')
        right=$(share "$work/s.png" 1920x1080+1920+0 '#804020')
        check "cycle $cycle, restart $restart: each monitor its desktop ($left % blue, $right % brown)" \
            test "$left" -gt 50 -a "$right" -gt 50
    done
    as_user xscreensaver-command -deactivate >/dev/null
    for _ in $(seq 30); do pgrep -f "^$work/Corvane" >/dev/null || break; sleep 0.1; done
done
check "no copy failed" test ! -s "$work/stderr"
# A copy stopped by the daemon ends by its SIGTERM: the daemon logs no
# abnormal exit (as it would for an exit with any status, 0 included).
check "the daemon logged the copies it stopped as ended by SIGTERM" \
    grep -Eq 'Corvane\) exited normally with SIGTERM' "$work/daemon.log"
check "the daemon saw no copy fail or exit abnormally" \
    bash -c "! grep -F Corvane '$work/daemon.log' | grep -Eiq 'crashed|signal|abnormal|status [0-9]'"
check "-desktop left corvane.ini as it was" cmp -s "$work/corvane.ini" "$work/ini.before"
check "no temporary file left" test -z "$(find "$work" -name '.*.??????')"

[ -s "$work/stderr" ] && sed 's/^/  stderr: /' "$work/stderr"
[ $failures -gt 0 ] && grep -E 'forked|crash|exited|screenshot' "$work/daemon.log" | sed 's/^/  daemon: /'
echo "$failures failure(s)"
[ $failures -eq 0 ]
