#!/usr/bin/env bash
# Corvane in Wayland sessions, each case in a compositor of its own run as
# the plain user corvane-wl (sway refuses root; made here when missing):
#   native       headless sway without XWayland: the desktop picture
#                through screen copy, shown under the flags, logo in the
#                corner; a session signal ends it, nothing left running
#   input        four mouse moves do not end a run, five do; a key and a
#                click end it
#   two_outputs  both outputs covered, the logo in the far corner; an output
#                that changes during the run is followed
#   xwayland     with XWayland and SDL_VIDEODRIVER=wayland, started from
#                sway: the native path, the desktop shown; the settings
#                dialog on XWayland
#   toplevel     without the layer shell (as on GNOME): a full-screen window
#   weston       weston, no layer shell and no screen copy: full-screen
#                toplevel, the run goes on over white and says why
#   portal       without screen copy (as on GNOME, KDE): the desktop picture
#                through the desktop portal on the session bus
#   swayidle     the README's swayidle recipe: the saver starts after its
#                time-out and the locker's time-out still comes
# Usage: wayland_test.sh CASE BUILD_DIR
set -uo pipefail
case=$1
build=$2
user=corvane-wl
. "$(dirname "$0")/../hack/lib.sh"
need_user "$user"
work=$(mktemp -d)
chmod 755 "$work"
rt=$work/runtime
# Every process of the test's user goes with the test (the compositor,
# XWayland, swayidle, a saver left over).
trap 'pkill -u "$user"; sleep 0.3; pkill -9 -u "$user"; rm -rf "$work"' EXIT
program_folder "$build"
logo_pixels
mkdir -m 700 "$rt"
chown -R "$user" "$work"
ini_mode() { sed -i "s/scMode=.*/scMode=$1/" "$work/corvane.ini"; }
wl=""
# as_user CMD...: a command of the session's user in the session
as_user() {
    runuser -u "$user" -- env -i HOME="$work" PATH="$PATH" XDG_RUNTIME_DIR="$rt" \
        WAYLAND_DISPLAY="$wl" "$@"
}
start_sway() {  # XWAYLAND(enable|disable) [EXTRA_ENV...]
    printf 'output * bg #3366cc solid_color\nxwayland %s\n' "$1" >"$work/sway.conf"
    shift
    runuser -u "$user" -- env -i HOME="$work" PATH="$PATH" XDG_RUNTIME_DIR="$rt" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "$@" \
        sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
    for _ in $(seq 100); do
        wl=$(cd "$rt" && ls wayland-* 2>/dev/null | grep -v lock | head -1)
        [ -n "$wl" ] && swaymsg_ -t get_outputs >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "sway did not start:"; cat "$work/sway.log"; exit 1
}
swaymsg_() { as_user env SWAYSOCK="$(ls "$rt"/sway-ipc.*.sock 2>/dev/null | head -1)" swaymsg "$@"; }
tree_has() { swaymsg_ -t get_tree | grep -q "$1"; }
saver_pid() { pgrep -n -u "$user" -f "$work/Corvane"; }
start_saver() {  # [ENV...]: waits until the logo is in the corner of W x H
    as_user "$@" "$work/Corvane" /S 2>>"$work/err" &
    wait_for_logo "${W:-1280}" "${H:-720}"
}
wait_for_logo() {  # RIGHT BOTTOM
    for _ in $(seq 60); do
        as_user grim "$work/shot.png" 2>/dev/null && logo_at "$work/shot.png" "$1" "$2" && return 0
        sleep 0.2
    done
    return 1
}
ended_within() {  # SECONDS
    for _ in $(seq $(($1 * 10))); do [ -z "$(saver_pid)" ] && return 0; sleep 0.1; done
    return 1
}
running() { [ -n "$(saver_pid)" ]; }
pointer() { as_user "$build/tests/corvane_test_virtual_pointer" "$@"; }

case $case in
native)
    start_sway disable
    ini_mode 1
    check "the saver shows, the logo in the corner" start_saver
    check "the desktop picture is the desktop" \
        test "$(share "$work/vantrelsoftware/corvane/background.bmp" 1280x720+0+0 '#3366CC')" = 100
    check "the screen shows the desktop under the flags" \
        test "$(share "$work/shot.png" 1280x720+0+0 '#3366CC')" -gt 40
    kill -TERM "$(saver_pid)"
    check "SIGTERM ends it" ended_within 3
    check "nothing of ours left running" test -z "$(pgrep -u "$user" -f "$work/Corvane")"
    check "the run was not counted" grep -q "appcurrent=3" "$work/corvane.ini"
    ;;
input)
    start_sway disable
    sed -i 's/appcurrent=3/appcurrent=0/' "$work/corvane.ini"
    start_saver
    # The pointer enters where it is: the first position. Each move after
    # it counts.
    pointer 1280x720 move 300 300 sleep 100 move 340 300 sleep 100 move 380 300 sleep 100 \
        move 420 300
    sleep 2.5
    check "four mouse moves do not end the run" running
    pointer 1280x720 move 300 400 sleep 100 move 340 400 sleep 100 move 380 400 sleep 100 \
        move 420 400 sleep 100 move 460 400
    check "five mouse moves end the run" ended_within 3
    check "the run was counted" grep -q "appcurrent=1" "$work/corvane.ini"
    start_saver
    as_user wtype -s 300 a
    check "a key ends the run" ended_within 3
    start_saver
    pointer 1280x720 click
    check "a click ends the run" ended_within 3
    ;;
two_outputs)
    start_sway disable
    swaymsg_ create_output >/dev/null
    swaymsg_ output HEADLESS-1 pos 0 0 res 1280x720 >/dev/null
    swaymsg_ output HEADLESS-2 pos 1280 0 res 1280x720 >/dev/null
    sleep 0.5
    W=2560 check "the logo in the far corner of both outputs" start_saver
    check "the left output is covered" test "$(share "$work/shot.png" 1280x720+0+0 '#3366CC')" -lt 5
    check "the right output is covered" \
        test "$(share "$work/shot.png" 1280x720+1280+0 '#3366CC')" -lt 5
    # (sway 1.7 keeps a disabled headless output: a new mode changes the layout)
    swaymsg_ output HEADLESS-2 res 1024x720 >/dev/null
    check "an output's new mode: the saver follows, the logo in the new corner" \
        wait_for_logo 2304 720
    check "and runs on" running
    ;;
xwayland)
    start_sway enable
    ini_mode 1
    swaymsg_ exec "cd $work && SDL_VIDEODRIVER=wayland ./Corvane /S 2>>$work/err" >/dev/null
    check "started from sway with SDL_VIDEODRIVER=wayland, the saver shows" wait_for_logo 1280 720
    check "the desktop picture is the desktop, not XWayland's empty root" \
        test "$(share "$work/vantrelsoftware/corvane/background.bmp" 1280x720+0+0 '#3366CC')" = 100
    check "it draws through Wayland, not XWayland" eval '! tree_has "\"shell\": \"xwayland\""'
    kill -TERM "$(saver_pid)"
    check "SIGTERM ends it" ended_within 3
    swaymsg_ exec "cd $work && ./Corvane /C 2>>$work/err" >/dev/null
    for _ in $(seq 100); do tree_has '"shell": "xwayland"' && break; sleep 0.1; done
    check "the settings dialog opens on XWayland" tree_has '"name": "Corvane Screen Saver"'
    ;;
toplevel)
    start_sway disable
    check "without the layer shell a full-screen window shows the saver" \
        start_saver CORVANE_WAYLAND_NO_LAYER_SHELL=1
    check "it is a toplevel" tree_has '"app_id": "corvane"'
    as_user wtype -s 300 a
    check "a key ends the run" ended_within 3
    ;;
weston)
    runuser -u "$user" -- env -i PATH="$PATH" XDG_RUNTIME_DIR="$rt" weston \
        --backend=headless-backend.so --socket=wayland-w --width=1024 --height=768 \
        --idle-time=0 >"$work/weston.log" 2>&1 &
    wl=wayland-w
    for _ in $(seq 100); do [ -S "$rt/$wl" ] && break; sleep 0.1; done
    ini_mode 1
    as_user WAYLAND_DEBUG=1 "$work/Corvane" /S 2>"$work/debug" &
    sleep 3
    check "the saver runs on weston" running
    check "as a full-screen toplevel" grep -q 'xdg_toplevel@[0-9]*\.set_fullscreen' "$work/debug"
    check "showing pixels" grep -q 'wl_surface@[0-9]*\.attach' "$work/debug"
    check "over white, saying why once" \
        test "$(grep -c 'desktop picture is white.*no screen copy' "$work/debug")" = 1
    kill -TERM "$(saver_pid)"
    check "SIGTERM ends it" ended_within 3
    ;;
portal)
    start_sway disable
    bus=unix:path=$rt/bus
    as_user dbus-daemon --session --address="$bus" --fork >/dev/null
    as_user env DBUS_SESSION_BUS_ADDRESS="$bus" pipewire >"$work/pipewire.log" 2>&1 &
    for _ in $(seq 50); do [ -S "$rt/pipewire-0" ] && break; sleep 0.1; done
    # wlroots' back end takes the screenshot, GTK's answers for access
    as_user env DBUS_SESSION_BUS_ADDRESS="$bus" dbus-update-activation-environment \
        WAYLAND_DISPLAY="$wl" XDG_CURRENT_DESKTOP=sway:GNOME
    # In a desktop session the portal runs already: start it (and its back
    # ends) first, however long a loaded machine takes.
    as_user dbus-send --bus="$bus" --print-reply --reply-timeout=60000 \
        --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
        org.freedesktop.DBus.Peer.Ping >/dev/null
    ini_mode 1
    check "the saver shows" start_saver CORVANE_WAYLAND_NO_SCREENCOPY=1
    check "the desktop picture is the desktop, from the portal" \
        test "$(share "$work/vantrelsoftware/corvane/background.bmp" 1280x720+0+0 '#3366CC')" = 100
    check "nothing said of a white picture" eval '! grep -q white "$work/err"'
    ;;
swayidle)
    start_sway disable
    as_user swayidle timeout 2 "$work/Corvane /S" timeout 4 "touch $work/locked" \
        >"$work/idle.log" 2>&1 &
    for _ in $(seq 80); do running && [ -e "$work/locked" ] && break; sleep 0.1; done
    check "swayidle starts the saver after its time-out" running
    check "and the locker's time-out still comes" test -e "$work/locked"
    pkill -u "$user" swayidle
    ;;
*)
    echo "no case $case"; exit 2 ;;
esac
[ -s "$work/err" ] && sed "s/^/  stderr: /" "$work/err"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
