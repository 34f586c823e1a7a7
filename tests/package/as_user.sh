#!/bin/bash
# The installed package as a plain user sees it, in an Xvfb of its own:
# "Corvane /C" chooses the desktop picture, "Corvane /S" runs over it and
# counts the run, the xscreensaver hack draws with -white, MATE's screen
# saver runs it from its list; every file of these runs lands in the user's
# program folder. Run by deb_test.sh.
# Usage: as_user.sh   (as the test user, HOME set)
. "$(dirname "$0")/../gui/lib.sh"
folder=${XDG_DATA_HOME:-$HOME/.local/share}/corvane
pictures=$folder/vantrelsoftware/corvane
ini() { tr -d '\r' <"$folder/corvane.ini" | grep -i "^$1=" | cut -d= -f2; }

gui_start
gui_start_wm
[ ! -e "$folder" ] || gui_fail "the user's folder exists before the first use"

# The settings dialog, from the PATH: "Desktop", Close.
gui_run timeout -k 2 60 Corvane /C
win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no settings dialog"
sleep 0.5
gui_click "$win" 172 80
sleep 0.3
gui_click "$win" 232 149
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Close did not end the settings dialog"
[ "$(ini scMode)" = 1 ] || gui_fail "scMode=1 not in the user's corvane.ini: $(cat "$folder/corvane.ini")"
for f in flag_background.bmp logo.bmp flag_small.bmp flag_med.bmp flag_large.bmp flag_xlarge.bmp; do
    [ "$(readlink "$pictures/$f")" = "/usr/share/corvane/vantrelsoftware/corvane/$f" ] ||
        gui_fail "$f is no link to the installed picture"
done
[ "$(readlink "$folder/Tellwell")" = /usr/libexec/corvane/Tellwell ] || gui_fail "no Tellwell beside the settings"
echo "ok   - /C wrote the choice into $folder/corvane.ini"

# A saver run over the captured desktop, ended by a key.
xsetroot -solid '#336699'
gui_run timeout -k 2 60 Corvane /S
saver=$GUI_LAST_PID
for _ in $(seq 100); do [ -s "$pictures/background.bmp" ] && break; sleep 0.1; done
sleep 2
gui_shot "$GUI_TMP/run.png"
xdotool key space
gui_wait_gone "$saver" 10 || gui_fail "a key did not end the run"
[ -f "$pictures/background.bmp" ] && [ ! -L "$pictures/background.bmp" ] ||
    gui_fail "no background.bmp of the user's own"
[ "$(convert "$pictures/background.bmp" -format '%[pixel:p{5,5}]' info:)" = "srgb(51,102,153)" ] ||
    gui_fail "background.bmp is not the desktop"
[ "$(ini appcurrent)" = 1 ] || gui_fail "the run was not counted: appcurrent=$(ini appcurrent)"
echo "ok   - /S captured the desktop into the user's picture folder and counted the run"

# The hack, as xscreensaver starts it, on the root window.
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/{print $4}')" 2>/dev/null || true
gui_run /usr/libexec/xscreensaver/Corvane -root -white
hack=$GUI_LAST_PID
sleep 2
gui_shot "$GUI_TMP/a.png"
sleep 0.5
gui_shot "$GUI_TMP/b.png"
moved=$(compare -metric AE "$GUI_TMP/a.png" "$GUI_TMP/b.png" null: 2>&1 | cut -d' ' -f1)
kill -TERM "$hack"
# It ends by the signal, as a daemon expects of its display programs.
status=0
gui_wait_gone "$hack" 5 || status=$?
[ "$status" = 143 ] || gui_fail "the hack did not end by SIGTERM (wait status $status)"
[ "${moved%.*}" -gt 500 ] || gui_fail "the hack drew nothing that moves ($moved pixels changed)"
[ "$(ini scMode)" = 1 ] || gui_fail "-white changed the user's corvane.ini: scMode=$(ini scMode)"
[ "$(ini appcurrent)" = 1 ] || gui_fail "the hack counted a run"
echo "ok   - the hack drew on the root window; -white chose for that run only"
# MATE's screen saver finds the package's entry among its savers and runs
# Corvane from it in its window; deactivated, Corvane goes with it.
if command -v mate-screensaver >/dev/null; then
    export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=MATE
    gsettings set org.mate.screensaver mode single
    gsettings set org.mate.screensaver themes "['screensavers-corvane']"
    gsettings set org.mate.screensaver lock-enabled false
    GUI_TMP=$GUI_TMP dbus-run-session -- sh -c '
        mate-screensaver --no-daemon --debug >"$GUI_TMP/mate.log" 2>&1 & ms=$!
        for _ in $(seq 50); do mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.1; done
        mate-screensaver-command --activate
        for _ in $(seq 50); do pgrep -u "$(id -u)" -x Corvane >/dev/null && break; sleep 0.1; done
        pgrep -u "$(id -u)" -x Corvane >"$GUI_TMP/mate.during"
        sleep 1.5
        import -window root "$GUI_TMP/mate.png"
        mate-screensaver-command --deactivate
        for _ in $(seq 30); do pgrep -u "$(id -u)" -x Corvane >/dev/null || break; sleep 0.1; done
        pgrep -u "$(id -u)" -x Corvane >"$GUI_TMP/mate.after"
        kill $ms' 2>/dev/null
    [ -s "$GUI_TMP/mate.during" ] || gui_fail "mate-screensaver did not run Corvane: $(grep -i 'command for job' "$GUI_TMP/mate.log")"
    [ ! -s "$GUI_TMP/mate.after" ] || gui_fail "Corvane outlived mate-screensaver's deactivation"
    [ "$(ini appcurrent)" = 1 ] || gui_fail "the daemon's run was counted"
    echo "ok   - mate-screensaver lists Corvane and runs it"
fi
echo "PASS: the user's runs"
