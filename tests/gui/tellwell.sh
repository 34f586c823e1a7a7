#!/bin/bash
# The real Tellwell: typed input is checked one problem at a time in message
# boxes; a valid Submit hands the encoded request to xdg-open and ends the
# program; "Never Show" and Alt+F4 end it opening nothing.
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

start_form() {
    gui_run timeout -k 2 60 "$build/Tellwell"
    win=$(gui_wait_window "Corvane Screen Saver") || gui_fail "no recommend form"
    sleep 0.5
}

tabs() { local i; for ((i = 0; i < $1; i++)); do xdotool key Tab; done; }

start_form
gui_shot "$shots/tellwell.png"
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
echo "PASS: tellwell"
