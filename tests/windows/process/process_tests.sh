#!/usr/bin/env bash
# Process tests of the Windows programs under Wine, inside the X session and
# Wine prefix that scripts/test-windows.sh prepares. Prints one line per
# test and a closing count.
#   process_tests.sh [TEST...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
mkdir -p "$WIN_SHOTS"
helpers=$WIN_BUILD/tests/helpers
pictures=$WIN_PROG/vantrelsoftware/corvane
W=$(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1]}')
H=$(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[2]}')

# --- The program folder as installed -----------------------------------
layout_ok=1
for f in Corvane.scr Tellwell.exe corvane.ini vantrelsoftware/corvane/logo.bmp \
    vantrelsoftware/corvane/flag_background.bmp vantrelsoftware/corvane/flag_small.bmp; do
    [ -e "$WIN_PROG/$f" ] || { fail install "missing $f"; layout_ok=0; }
done
[ $layout_ok = 1 ] && pass install

# --- A saver run: flags over the white background, logo in the corner ---
saver_run() {
    reset_ini
    rm -f "$pictures/background.bmp"
    wine "$WIN_PROG/Corvane.scr" /S & local pid=$!
    if ! wait_window Form1 30 >/dev/null; then fail saver_run "no saver window"; stop $pid; return; fi
    sleep 2
    import -window root "$WIN_SHOTS/saver.png"
    # The logo sits flush in the bottom-right corner over everything: every
    # pixel of it that is not pure green must be on screen.
    local lw lh
    read -r lw lh < <(identify -format '%w %h\n' "$pictures/logo.bmp")
    convert "$WIN_SHOTS/saver.png" -crop "${lw}x${lh}+$((W - lw))+$((H - lh))" +repage \
        "$WIN_SHOTS/corner.png"
    convert "$WIN_SHOTS/corner.png" \( "$pictures/logo.bmp" -transparent '#00FF00' \) \
        -composite "$WIN_SHOTS/corner_expected.png"
    local logo_diff flag_px
    logo_diff=$(compare -metric AE "$WIN_SHOTS/corner.png" "$WIN_SHOTS/corner_expected.png" \
        null: 2>&1 | cut -d' ' -f1)
    # Flags: pixels that differ from the tiled background picture.
    convert -size "${W}x${H}" "tile:$pictures/flag_background.bmp" "$WIN_SHOTS/tiled.png"
    flag_px=$(compare -metric AE "$WIN_SHOTS/saver.png" "$WIN_SHOTS/tiled.png" null: 2>&1 |
        cut -d' ' -f1)
    xdotool key space
    if ! wait_gone $pid 15; then fail saver_run "a key did not end the run"; stop $pid; return; fi
    local count
    count=$(ini_get applic appcurrent)
    echo "  saver: logo pixels off: $logo_diff, pixels off the background: $flag_px, appcurrent: $count"
    if [ "$logo_diff" != 0 ]; then fail saver_run "logo not in the corner ($logo_diff pixels)"
    elif [ "${flag_px%.*}" -lt 20000 ] || [ "${flag_px%.*}" -gt $((W * H / 2)) ]; then
        fail saver_run "no flags over the background ($flag_px pixels differ)"
    elif [ "$count" != 1 ]; then fail saver_run "run not counted (appcurrent=$count)"
    else pass saver_run; fi
    focus_root
}

# --- The settings dialog open, a saver run ends at once; a saver running,
# the dialog still starts --------------------------------------------------
instance_across_modes() {
    reset_ini
    wine "$WIN_PROG/Corvane.scr" /c & local dialog=$!
    wait_window "Corvane Screen Saver" 30 >/dev/null || { fail instance_across_modes "no dialog"; stop $dialog; return; }
    wine "$WIN_PROG/Corvane.scr" /S & local saver=$!
    if ! wait_gone $saver 15; then
        fail instance_across_modes "a saver started over the open dialog"
        stop $saver; stop $dialog; return
    fi
    stop $dialog
    wine "$WIN_PROG/Corvane.scr" /S & saver=$!
    wait_window Form1 30 >/dev/null || { fail instance_across_modes "no saver"; stop $saver; return; }
    wine "$WIN_PROG/Corvane.scr" /c & dialog=$!
    if wait_window "Corvane Screen Saver" 30 >/dev/null; then
        pass instance_across_modes
    else
        fail instance_across_modes "the dialog did not start beside a running saver"
    fi
    stop $dialog
    xdotool key space
    wait_gone $saver 15 || stop $saver
    focus_root
}

# --- A second copy while one runs ends at once ---------------------------
second_copy() {
    reset_ini
    wine "$WIN_PROG/Corvane.scr" /S & local pid=$!
    wait_window Form1 30 >/dev/null || { fail second_copy "no first saver"; stop $pid; return; }
    wine "$WIN_PROG/Corvane.scr" /S & local second=$!
    if wait_gone $second 15; then pass second_copy; else fail second_copy "second copy kept running"; stop $second; fi
    xdotool key space
    wait_gone $pid 15 || stop $pid
    focus_root
}

# --- A run that ends when the recommend form is due starts Tellwell -------
run_starts_tellwell() {
    reset_ini
    sed -i 's/^appcurrent=.*/appcurrent=3\r/' "$WIN_PROG/corvane.ini"
    wine "$WIN_PROG/Corvane.scr" /S & local pid=$!
    wait_window Form1 30 >/dev/null || { fail run_starts_tellwell "no saver window"; stop $pid; return; }
    sleep 1
    xdotool key space
    wait_gone $pid 15 || { fail run_starts_tellwell "a key did not end the run"; stop $pid; return; }
    local shown=0 tw="" win
    if win=$(wait_window "Corvane Screen Saver" 30); then
        shown=1
        tw=$(xdotool getwindowpid "$win" 2>/dev/null || true)
    fi
    local display
    display=$(ini_get applic appdisplay)
    echo "  tellwell shown: $shown, appdisplay: $display"
    if [ $shown = 1 ] && [ "$display" = 0 ]; then pass run_starts_tellwell
    else fail run_starts_tellwell "shown=$shown appdisplay=$display"; fi
    [ -n "$tw" ] && stop "$tw"
    focus_root
}

# --- The settings dialog -------------------------------------------------
# The keyboard alone changes the choice: Tab twice reaches the chosen option
# ("White background"), Down moves the choice to "Desktop", Tab goes on to
# Close and Return presses it.
settings_dialog() {
    reset_ini
    wine "$WIN_PROG/Corvane.scr" /c:1234 & local pid=$!
    local win
    if ! win=$(wait_window "Corvane Screen Saver" 30); then fail settings_dialog "no dialog"; stop $pid; return; fi
    sleep 1
    import -window root "$WIN_SHOTS/settings.png"
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key Tab Tab Down
    sleep 0.3
    import -window root "$WIN_SHOTS/settings_keyboard.png"
    xdotool key Tab Return
    if ! wait_gone $pid 15; then fail settings_dialog "Tab and Return did not press Close"; stop $pid; return; fi
    local mode
    mode=$(ini_get mode scMode)
    if [ "$mode" = 1 ]; then pass settings_dialog
    else fail settings_dialog "the arrow key did not choose Desktop (scMode=$mode)"; fi
    focus_root
}

# --- The recommend form on a 640 x 480 desktop keeps its 400 x 489 client
# area, its top above the screen -------------------------------------------
tellwell_small_screen() {
    local out=$WIN_SHOTS/tellwell_small.txt
    rm -f "$out"
    wine explorer /desktop=corvane640,640x480 "$helpers/corvane_window_probe.exe" \
        "$(winpath "$out")" "Corvane Screen Saver" "$(winpath "$WIN_PROG/Tellwell.exe")" &
    local pid=$!
    wait_gone $pid 60 || stop $pid
    local got
    got=$(tr -d '\r' <"$out" 2>/dev/null)
    echo "  small screen: ${got:-no measure}"
    case "$got" in
        "screen 640x480 window "*",-"*" client 400x489") pass tellwell_small_screen ;;
        *) fail tellwell_small_screen "${got:-the form was not measured}" ;;
    esac
}

# --- Tellwell: Submit hands the request URL to the registered browser ----
tellwell_submit() {
    local log=$helpers/opened-urls.txt cmd
    rm -f "$log"
    cmd="\"$(winpath "$helpers/corvane_url_recorder.exe")\" \"%1\""
    for proto in http https; do
        wine reg add "HKCR\\$proto\\shell\\open\\command" /ve /d "$cmd" /f >/dev/null 2>&1
    done
    wine "$WIN_PROG/Tellwell.exe" & local pid=$!
    local win
    if ! win=$(wait_window "Corvane Screen Saver" 30); then fail tellwell_submit "no form"; stop $pid; return; fi
    sleep 1
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    import -window root "$WIN_SHOTS/tellwell.png"
    # The focus starts in Friend 1; 5 tabs reach the first name, 3 more the
    # sender's address, one more Submit.
    xdotool type --delay 20 "ann@example.org"
    for i in 1 2 3 4 5; do xdotool key Tab; done
    xdotool type --delay 20 "Jo & Mary"
    for i in 1 2 3; do xdotool key Tab; done
    xdotool type --delay 20 "me@example.org"
    sleep 0.3
    import -window root "$WIN_SHOTS/tellwell_filled.png"
    xdotool key Tab Return
    wait_gone $pid 20 || { fail tellwell_submit "Submit did not end the program"; stop $pid; return; }
    for i in $(seq 50); do [ -s "$log" ] && break; sleep 0.1; done
    local url
    url=$(tr -d '\r' <"$log" 2>/dev/null)
    echo "  tellwell opened: $url"
    case "$url" in
        *"/vuvudadero.php?s=2&te=ann%40example.org,,,,&fe=me%40example.org&n=Jo%20%26%20Mary") pass tellwell_submit ;;
        *) fail tellwell_submit "the browser received: ${url:-nothing}" ;;
    esac
}

# --- Logging off ends the saver, the settings dialog and Tellwell at once,
# writing nothing (as a session signal does on Linux) ---------------------
end_session() {
    local what caption before after pid
    for what in "/S|Form1" "/c:1234|Corvane Screen Saver" "tellwell|Corvane Screen Saver"; do
        caption=${what#*|}
        reset_ini
        before=$(md5sum <"$WIN_PROG/corvane.ini")
        case ${what%|*} in
            tellwell) wine "$WIN_PROG/Tellwell.exe" & pid=$! ;;
            *) wine "$WIN_PROG/Corvane.scr" "${what%|*}" & pid=$! ;;
        esac
        if ! wait_window "$caption" 30 >/dev/null; then
            fail end_session "${what%|*}: no window"; stop $pid; return
        fi
        sleep 1
        wine "$helpers/corvane_end_session.exe" "$caption" >/dev/null 2>&1
        if ! wait_gone $pid 10; then
            fail end_session "${what%|*}: still running after the logoff"; stop $pid; return
        fi
        after=$(md5sum <"$WIN_PROG/corvane.ini")
        [ "$before" = "$after" ] || { fail end_session "${what%|*}: corvane.ini was written"; return; }
        focus_root
    done
    pass end_session
}

# --- The older family's password check through password.cpl -------------
password_check() {
    local prog=$WIN_BUILD/win-password log
    rm -rf "$prog"; cp -r "$WIN_PROG" "$prog"
    cp "$helpers/password.cpl" "$prog/"
    log=$prog/password-calls.txt
    cp "$WIN_SRC/assets/corvane.ini" "$prog/corvane.ini"
    wine reg add 'HKCU\Software\Wine\AppDefaults\Corvane.scr' /v Version /d win95 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_SZ /d 1 /f >/dev/null 2>&1
    CORVANE_TEST_PASSWORD_ANSWERS=0,1 wine "$prog/Corvane.scr" /S & local pid=$!
    local ok=1 why=""
    if ! wait_window Form1 30 >/dev/null; then ok=0; why="no saver window"; fi
    if [ $ok = 1 ]; then
        sleep 1; xdotool key space; sleep 3
        if ! kill -0 $pid 2>/dev/null; then ok=0; why="a failed check ended the run"; fi
    fi
    if [ $ok = 1 ]; then
        xdotool key space
        wait_gone $pid 15 || { ok=0; why="a passed check did not end the run"; }
    fi
    local calls count
    calls=$(grep -c '^call' "$log" 2>/dev/null || echo 0)
    count=$(awk -F= '/^appcurrent/{print $2}' "$prog/corvane.ini" | tr -d '\r')
    echo "  password: checks $calls, appcurrent $count"
    [ $ok = 1 ] && [ "$calls" != 2 ] && { ok=0; why="$calls checks instead of 2"; }
    [ $ok = 1 ] && [ "$count" != 1 ] && { ok=0; why="appcurrent=$count after the run"; }
    [ $ok = 1 ] && pass password_check || fail password_check "$why"
    kill -0 $pid 2>/dev/null && stop $pid
    wine reg delete 'HKCU\Software\Wine\AppDefaults\Corvane.scr' /f >/dev/null 2>&1
    wine reg delete 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /f >/dev/null 2>&1
    focus_root
}

# --- The preview: /p with a window number --------------------------------
preview() {
    local out
    out=$(wine "$helpers/corvane_preview_host.exe" "$(winpath "$WIN_PROG/Corvane.scr")" 1 2>&1 | tr -d '\r')
    echo "  $out"
    # Wine does not show drawing into another process's window, so only the
    # saver's side is checked here: it takes the window and ends by itself.
    case "$out" in
        *"saver exit 0"*) pass preview ;;
        *) fail preview "$out" ;;
    esac
}

# --- A program folder the user cannot write: each user works from
# %LOCALAPPDATA%\Corvane, made on first use from the installed settings and
# pictures; Tellwell is started from where it was installed; a user folder
# that is a link is refused -------------------------------------------------
# Runs FOLDER's saver as the folder's owner and ends it with a key; prints
# what went wrong, or nothing.
run_ended_by_key() {  # FOLDER WHAT
    as_owner wine "$1/Corvane.scr" /S >/dev/null & local pid=$!
    if wait_window Form1 30 >/dev/null; then
        sleep 1; xdotool key space
        wait_gone $pid 15 || { echo "a key did not end $2"; stop $pid; }
    else
        echo "no saver window in $2"; stop $pid
    fi
}

user_folder() {
    local ro=$WIN_BUILD/win-readonly localapp user
    rm -rf "$ro"; cp -r "$WIN_PROG" "$ro"
    chmod -R a-w "$ro"
    localapp=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)
    user=$localapp/Corvane
    rm -rf "$user"
    restart_wineserver as_owner
    local why=""
    if as_owner touch "$ro/probe" 2>/dev/null; then why="the test cannot take away the write right"; fi
    local before
    before=$(cd "$ro" && find . -type f -exec md5sum {} + | sort)
    # The first run makes the folder and counts the run there.
    if [ -z "$why" ]; then
        why=$(run_ended_by_key "$ro" "the first run")
        focus_root
    fi
    local WIN_PROG=$user
    if [ -z "$why" ]; then
        if [ ! -f "$user/corvane.ini" ]; then why="no corvane.ini in %LOCALAPPDATA%\\Corvane"
        elif [ "$(ini_get applic appcurrent)" != 1 ]; then why="the run was not counted in the user's folder"
        elif ! diff -r "$ro/vantrelsoftware" "$user/vantrelsoftware" >/dev/null; then why="the pictures were not copied"
        fi
    fi
    # A second run in desktop mode, the recommend form due: the desktop
    # picture is written beside the user's pictures, Tellwell starts from the
    # installed folder.
    local tellwell=""
    if [ -z "$why" ]; then
        sed -i -e 's/^scMode=.*/scMode=1\r/' -e 's/^appcurrent=.*/appcurrent=3\r/' "$user/corvane.ini"
        why=$(run_ended_by_key "$ro" "the second run (desktop mode)")
        local win tw
        if [ -z "$why" ] && win=$(wait_window "Corvane Screen Saver" 30); then
            tw=$(xdotool getwindowpid "$win" 2>/dev/null)
            tellwell=$(wine_program_of "$tw")
            stop "$tw"
        fi
        focus_root
    fi
    echo "  user folder: $(cd "$user" 2>/dev/null && find . -type f | sort | tr '\n' ' ')"
    echo "  tellwell: ${tellwell:-not started}"
    if [ -z "$why" ]; then
        if [ ! -f "$user/vantrelsoftware/corvane/background.bmp" ]; then why="no background.bmp beside the user's pictures"
        elif [ "$(ini_get applic appdisplay)" != 0 ]; then why="the recommend form was not noted as offered"
        elif [ "$(tr 'A-Z' 'a-z' <<<"$tellwell")" != "$(tr 'A-Z' 'a-z' <<<"$(winpath "$ro")\\tellwell.exe")" ]; then
            why="Tellwell started as ${tellwell:-nothing}, not from the installed folder"
        elif [ "$(cd "$ro" && find . -type f -exec md5sum {} + | sort)" != "$before" ]; then
            why="the installed folder changed"
        fi
    fi
    # A user folder that is a link is refused: the run saves nothing, there
    # or anywhere.
    if [ -z "$why" ]; then
        rm -rf "$user" "$localapp/Elsewhere"
        mkdir -p "$localapp/Elsewhere"
        ln -s "$localapp/Elsewhere" "$user"
        why=$(run_ended_by_key "$ro" "the run beside a linked folder")
        focus_root
        if [ -z "$why" ] && [ -n "$(ls -A "$localapp/Elsewhere")" ]; then
            why="the saver wrote through a linked user folder"
        fi
        rm -f "$user"; rm -rf "$localapp/Elsewhere"
    fi
    restart_wineserver plain
    chmod -R u+w "$ro"; rm -rf "$ro" "$user"
    [ -z "$why" ] && pass user_folder || fail user_folder "$why"
}

# All tests, or those named on the command line.
for t in ${@:-saver_run second_copy instance_across_modes run_starts_tellwell settings_dialog tellwell_submit tellwell_small_screen password_check preview end_session user_folder}; do
    "$t"
done

passed=0; failed=0
for r in "${RESULTS[@]}"; do case "$r" in PASS*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)) ;; esac; done
echo "process tests: $passed passed, $failed failed"
[ $failed = 0 ]
