#!/bin/bash
# The real settings dialog: "Corvane /C" shows the stored choice; "Desktop"
# and Close write scMode=1 and end the program; the web-site button hands
# the maker's address to xdg-open and leaves the dialog open; Alt+F4 ends the
# program without writing; the keyboard alone can change the choice (arrow
# keys move it within the option group); the web-site button's picture sits
# in its middle; the toolkit writes no preference files of its own.
# Usage: settings_dialog.sh BUILD_DIR
. "$(dirname "$0")/lib.sh"
build=${1:?build folder}
[ -x "$build/Corvane" ] || gui_skip "no Corvane in $build"
grep -q "White background" "$build/Corvane" && grep -q "BArial" "$build/Corvane" ||
    gui_skip "Corvane has no settings dialog on FLTK yet"
shots=${SHOT_DIR:-$build/tests/gui}
mkdir -p "$shots"

gui_start
gui_start_wm

# A program folder of our own, so the build's settings file stays as it is.
app=$GUI_TMP/app
mkdir -p "$app" "$GUI_TMP/bin"
cp "$build/Corvane" "$app/"
printf '[mode]\r\nscMode=0\r\n' >"$app/corvane.ini"
cat >"$GUI_TMP/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s|%s\n' "\$#" "\$1" >>"$GUI_TMP/opened.txt"
STANDIN
chmod +x "$GUI_TMP/bin/xdg-open"
export PATH="$GUI_TMP/bin:$PATH"
# The toolkit's preference files would appear under HOME (and /etc for root).
export HOME=$GUI_TMP/home
mkdir -p "$HOME"
touch "$GUI_TMP/started"

start_dialog() {
    gui_run timeout -k 2 60 "$app/Corvane" /C
    win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no settings dialog"
    sleep 0.5
}

# Points inside the controls, in client pixels (twips / 15).
desktop=(172 80)    # OptionDesktop at 2400, 1080
website=(80 152)    # CmdWebsite at 240, 2040, 1935 x 495
close=(232 149)     # CmdClose at 2880, 2040, 1215 x 400

# Choose "Desktop", open the web site twice, Close.
start_dialog
gui_shot "$shots/settings_dialog.png"
# The picture's drawn part (96 x 13 on white) has as much room above as below
# it inside the button's border.
eval "$(xwininfo -id "$win" | awk '/Absolute upper-left X/{print "wx="$4} /Absolute upper-left Y/{print "wy="$4}')"
inside=$(convert "$shots/settings_dialog.png" -crop 125x29+$((wx + 18))+$((wy + 138)) +repage \
    -fuzz 10% -trim -format '%h %Y' info:)
read -r drawn above <<<"${inside//+/}"
below=$((29 - drawn - above))
[ $((above - below)) -le 2 ] && [ $((below - above)) -le 2 ] ||
    gui_fail "the web-site picture is not centred: $above px above it, $below px below"
gui_click "$win" "${website[@]}"
sleep 0.3
gui_click "$win" "${website[@]}"
gui_click "$win" "${desktop[@]}"
sleep 0.3
gui_shot "$shots/settings_dialog_desktop.png"
gui_wait_window "Corvane Screen Saver" 1 >/dev/null || gui_fail "the web-site button closed the dialog"
gui_click "$win" "${close[@]}"
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Close did not end the program (exit $?)"
grep -qx 'scMode=1' <(tr -d '\r' <"$app/corvane.ini") ||
    gui_fail "scMode=1 not written: $(cat "$app/corvane.ini")"
for n in $(seq 40); do
    [ "$(wc -l <"$GUI_TMP/opened.txt" 2>/dev/null)" = 2 ] && break
    sleep 0.05
done
[ "$(cat "$GUI_TMP/opened.txt" 2>/dev/null)" = $'1|http://www.vantrelsoftware.com\n1|http://www.vantrelsoftware.com' ] ||
    gui_fail "xdg-open received: $(cat "$GUI_TMP/opened.txt" 2>/dev/null)"

# Reopened: "Desktop" is chosen; choose the white background, then Alt+F4
# closes without writing.
before=$(cat "$app/corvane.ini")
start_dialog
gui_shot "$shots/settings_dialog_reopened.png"
gui_click "$win" 172 56
xdotool windowactivate --sync "$win" key alt+F4
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Alt+F4 did not end the program (exit $?)"
[ "$(cat "$app/corvane.ini")" = "$before" ] || gui_fail "Alt+F4 changed the settings file"

# The keyboard alone: Tab reaches the chosen option; Down moves the choice to
# "Desktop" and round the group again (three presses), never out of it; Tab
# goes on to Close and Space presses it.
printf '[mode]\r\nscMode=0\r\n' >"$app/corvane.ini"
start_dialog
xdotool key Tab Tab Down Down Down
sleep 0.3
gui_shot "$shots/settings_dialog_keyboard.png"
xdotool key Tab space
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Tab and Space did not press Close (exit $?)"
grep -qx 'scMode=1' <(tr -d '\r' <"$app/corvane.ini") ||
    gui_fail "the arrow keys did not choose Desktop: $(cat "$app/corvane.ini")"

written=$(find "$HOME" /etc/fltk -newer "$GUI_TMP/started" -path '*fltk*' 2>/dev/null)
[ -z "$written" ] || gui_fail "the toolkit wrote $written"
echo "PASS: settings dialog"
