#!/bin/bash
# The real Tellwell: typed input is checked one problem at a time in message
# boxes; a valid Submit hands the encoded request to xdg-open and ends the
# program; "Never Show" and Alt+F4 end it opening nothing. Tab into the
# message box selects none of its text; with no xdg-open at all Submit says
# so on standard error; the toolkit writes no preference files of its own.
# Usage: tellwell.sh BUILD_DIR
. "$(dirname "$0")/lib.sh"
build=${1:?build folder}
[ -x "$build/Tellwell" ] || gui_skip "no Tellwell in $build"
grep -q "vuvudadero" "$build/Tellwell" && grep -q "BArial" "$build/Tellwell" ||
    gui_skip "Tellwell has no recommend form on FLTK yet"
shots=${SHOT_DIR:-$build/tests/gui}
mkdir -p "$shots"

gui_start
gui_start_wm

mkdir -p "$GUI_TMP/bin"
cat >"$GUI_TMP/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s|%s\n' "\$#" "\$1" >>"$GUI_TMP/opened.txt"
STANDIN
chmod +x "$GUI_TMP/bin/xdg-open"
export PATH="$GUI_TMP/bin:$PATH"
export HOME=$GUI_TMP/home  # where the toolkit's preference files would appear
mkdir -p "$HOME"
touch "$GUI_TMP/started"

start_form() {
    gui_run timeout -k 2 60 "$build/Tellwell"
    win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no recommend form"
    sleep 0.5
}

tabs() { local i; for ((i = 0; i < $1; i++)); do xdotool key Tab; done; }

start_form
gui_shot "$shots/tellwell.png"
eval "$(xwininfo -id "$win" | awk '/Absolute upper-left X/{print "wx="$4} /Absolute upper-left Y/{print "wy="$4}')"
# Seven Tabs reach the message box: only its caret may appear (a selected
# text would be drawn inverted, and typing would replace all five lines).
tabs 7
sleep 0.3
gui_shot "$GUI_TMP/message_focused.png"
box=261x79+$((wx + 98))+$((wy + 319))  # inside TextMessage at 1440, 4760 twips
convert "$shots/tellwell.png" -crop "$box" +repage "$GUI_TMP/message_before.png"
convert "$GUI_TMP/message_focused.png" -crop "$box" +repage "$GUI_TMP/message_after.png"
changed=$(compare -metric AE "$GUI_TMP/message_before.png" "$GUI_TMP/message_after.png" null: 2>&1)
[ "${changed%%.*}" -lt 100 ] 2>/dev/null || gui_fail "Tab selected the message text ($changed pixels changed)"
tabs 4  # round to Friend 1
# The focus starts in Friend 1.
xdotool type --delay 10 "ann@example.org"
tabs 5
xdotool type --delay 10 "Jo & Mary"
tabs 4
xdotool key Return  # Submit, with no sender address
msg=$(gui_wait_window "Email" 5) || gui_fail "no message box"
sleep 0.3
gui_shot "$shots/tellwell_message.png"
xdotool key Return
for n in $(seq 40); do
    xdotool search --onlyvisible --name '^Email$' >/dev/null 2>&1 || break
    sleep 0.05
done
[ -s "$GUI_TMP/opened.txt" ] && gui_fail "opened a URL before the checks passed"
xdotool windowactivate --sync "$win"
xdotool key shift+Tab  # from Submit back to the sender's box
xdotool type --delay 10 " me@example.org"
xdotool key Tab space  # Submit
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Submit did not end the program (exit $?)"
expected='1|https://www.vantrelsoftware.com/vuvudadero.php?s=2&te=ann%40example.org,,,,&fe=me%40example.org&n=Jo%20%26%20Mary'
for n in $(seq 100); do
    [ -s "$GUI_TMP/opened.txt" ] && break
    sleep 0.05
done
[ "$(cat "$GUI_TMP/opened.txt" 2>/dev/null)" = "$expected" ] ||
    gui_fail "xdg-open received: $(cat "$GUI_TMP/opened.txt" 2>/dev/null)"

# "Never Show" with fields filled, then Alt+F4: both end, opening nothing.
rm -f "$GUI_TMP/opened.txt"
start_form
xdotool type --delay 10 "ann@example.org"
gui_click "$win" 60 461  # CommandNeverShow at 240, 6720, 1335 x 375
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Never Show did not end the program (exit $?)"
start_form
xdotool windowactivate --sync "$win" key alt+F4
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Alt+F4 did not end the program (exit $?)"
sleep 0.5
[ -e "$GUI_TMP/opened.txt" ] && gui_fail "opened: $(cat "$GUI_TMP/opened.txt")"

# No xdg-open on the PATH: Submit still ends the program, with one line on
# standard error.
start_form_without_opener() {
    gui_run env PATH=/nonexistent /usr/bin/timeout -k 2 60 "$build/Tellwell" 2>"$GUI_TMP/stderr.txt"
    win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no recommend form"
    sleep 0.5
}
start_form_without_opener
xdotool type --delay 10 "ann@example.org"
tabs 5
xdotool type --delay 10 "Jo"
tabs 3
xdotool type --delay 10 "me@example.org"
xdotool key Tab space
gui_wait_gone "$GUI_LAST_PID" || gui_fail "Submit without xdg-open did not end the program (exit $?)"
[ "$(wc -l <"$GUI_TMP/stderr.txt")" = 1 ] && grep -q "xdg-open" "$GUI_TMP/stderr.txt" ||
    gui_fail "standard error without xdg-open: $(cat "$GUI_TMP/stderr.txt")"

written=$(find "$HOME" /etc/fltk -newer "$GUI_TMP/started" -path '*fltk*' 2>/dev/null)
[ -z "$written" ] || gui_fail "the toolkit wrote $written"
echo "PASS: tellwell"
