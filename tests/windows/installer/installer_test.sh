#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix of its own: an install
# by hand that declines to change the screen saver, a silent install over it
# (files, Start-menu entry, uninstall entry, the current screen saver), a
# run of the installed saver counted in the installed corvane.ini,
# a second install that keeps the settings, and a silent uninstall that
# leaves nothing and gives the screen saver back; then uninstalls while the
# programs run: by hand the user is asked to close them first, silently
# they are ended, and nothing is left. Run inside the X session
# of scripts/test-windows.sh; prints one line per check and a count.
#   installer_test.sh SETUP.EXE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../process/lib.sh"
setup=$1
export WINEPREFIX=$WIN_BUILD/installer-prefix
. "$here/prefix.sh"
fresh_prefix installer
desktop='HKCU\Control Panel\Desktop'
uninst='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
localapp=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
instdir_win="$localapp\\Programs\\Corvane"
instdir=$(winepath -u "$instdir_win" 2>/dev/null)
menu=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
WIN_PROG=$instdir  # for ini_get

# The user had another screen saver.
wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\before.scr' /f >/dev/null 2>&1
active_before=$(reg_value "$desktop" ScreenSaveActive || echo "(none)")

# Installed by hand, the offer to become the screen saver declined: the
# directory page (Enter), the components page (the second box off), the
# installation, Close.
wine "$setup" & pid=$!
# (NSIS ends the title with a blank under Wine.)
texts=$WINEPREFIX/setup-texts.txt
if win=$(wait_window "Corvane Screen Saver Setup *" 30); then
    sleep 1
    wine "$WIN_BUILD/tests/helpers/corvane_window_texts.exe" "$(winpath "$texts")" \
        "Corvane Screen Saver Setup" >/dev/null 2>&1
    xdotool windowactivate --sync "$win" 2>/dev/null
    xdotool key Return; sleep 1.5
    xdotool key Down space; sleep 0.5
    import -window root "$WIN_SHOTS/installer-components.png"
    xdotool key Return; sleep 3
    xdotool key Return
fi
wait_gone $pid 20 || stop $pid
check "installed by hand" test -f "$instdir/Corvane.scr"
# The footer names the product, not the tool that made the installer.
footer_ok() {
    [ -s "$texts" ] && grep -qx "Corvane Screen Saver $(cd "$WIN_SRC" && sed -nE 's/^project\(Corvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)" \
        <(tr -d '\r' <"$texts") && ! grep -qi nullsoft "$texts"
}
check "the installer's footer names the product" footer_ok
check "declined: the screen saver stays" \
    test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\before.scr'

wine "$setup" /S
check "silent install exits 0" test $? -eq 0
missing=""
for f in Corvane.scr Tellwell.exe corvane.ini Uninstall.exe vantrelsoftware/corvane/flag_background.bmp \
    vantrelsoftware/corvane/logo.bmp vantrelsoftware/corvane/flag_small.bmp \
    vantrelsoftware/corvane/flag_med.bmp vantrelsoftware/corvane/flag_large.bmp \
    vantrelsoftware/corvane/flag_xlarge.bmp; do
    [ -f "$instdir/$f" ] || missing="$missing $f"
done
check "files in %LOCALAPPDATA%\\Programs\\Corvane${missing:+ (missing:$missing)}" test -z "$missing"
check "corvane.ini as shipped" cmp -s "$instdir/corvane.ini" "$WIN_SRC/assets/corvane.ini"
lnk="$menu/Corvane Screen Saver Settings.lnk"
shortcut_ok() {  # the link names Corvane.scr and the argument /c
    [ -f "$lnk" ] && { strings -a "$lnk"; strings -a -n 2 -e l "$lnk"; } >"$WINEPREFIX/shortcut.txt" &&
        grep -qi 'Corvane\.scr' "$WINEPREFIX/shortcut.txt" && grep -qx '/c' "$WINEPREFIX/shortcut.txt"
}
check "Start-menu entry runs Corvane.scr /c" shortcut_ok
check "the uninstaller has the product's icon" same_icon "$instdir/Uninstall.exe" \
    "$WIN_SRC/platform/desktop/win32/res/corvane.ico"

check "uninstall entry" test "$(reg_value "$uninst" UninstallString)" = "\"$instdir_win\\Uninstall.exe\""
check "quiet uninstall entry" test "$(reg_value "$uninst" QuietUninstallString)" = "\"$instdir_win\\Uninstall.exe\" /S"
check "display name" test "$(reg_value "$uninst" DisplayName)" = "Corvane Screen Saver"
check "the current screen saver" test "$(reg_value "$desktop" SCRNSAVE.EXE)" = "$instdir_win\\Corvane.scr"
check "screen saver active" test "$(reg_value "$desktop" ScreenSaveActive)" = 1

# "Make Corvane the Screen Saver" hands the installed Corvane.scr to the
# Display control panel. Wine has no desk.cpl: a stand-in of its
# InstallScreenSaver does what the system's does with the file it gets.
current_lnk="$menu/Make Corvane the Screen Saver.lnk"
current_lnk_ok() {  # (each text in the link starts with its length, one character)
    [ -f "$current_lnk" ] && { strings -a "$current_lnk"; strings -a -n 2 -e l "$current_lnk"; } \
        >"$WINEPREFIX/current.txt" && grep -qi 'system32\\rundll32\.exe' "$WINEPREFIX/current.txt" &&
        grep -F "desk.cpl,InstallScreenSaver $instdir_win\\Corvane.scr" "$WINEPREFIX/current.txt" |
        grep -q 'Corvane\.scr$'
}
check "Start-menu entry: rundll32.exe desk.cpl,InstallScreenSaver Corvane.scr" current_lnk_ok
cp "$WIN_BUILD/tests/helpers/desk.cpl" "$WINEPREFIX/drive_c/windows/system32/desk.cpl"
wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
wine reg add "$desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >/dev/null 2>&1
wine start /wait /unix "$current_lnk" >/dev/null 2>&1
check "the entry makes Corvane the screen saver again" \
    reg_becomes "$desktop" SCRNSAVE.EXE "$instdir_win\\Corvane.scr"
check "and turns the screen saver on" reg_becomes "$desktop" ScreenSaveActive 1
rm -f "$WINEPREFIX/drive_c/windows/system32/desk.cpl"

# The installed saver: a run ended by a key is counted beside it.
wine "$instdir/Corvane.scr" /s & pid=$!
if wait_window Form1 40 >/dev/null; then
    sleep 1
    xdotool key space
    wait_gone $pid 15 || stop $pid
else
    stop $pid
fi
check "the run counted in the installed corvane.ini" test "$(ini_get applic appcurrent)" = 1
focus_root

# Installing again keeps the settings and what the saver replaced.
wine "$setup" /S
check "a second install keeps corvane.ini" test "$(ini_get applic appcurrent)" = 1
check "a second install remembers the saver before" \
    test "$(reg_value "$uninst" PreviousScreenSaver)" = 'C:\windows\system32\before.scr'

# A silent uninstall works from a copy of itself: wait for the folder to go.
wine "$instdir/Uninstall.exe" /S
for _ in $(seq 300); do [ -e "$instdir" ] || break; sleep 0.1; done
left=$(find "$instdir" 2>/dev/null | tr '\n' ' ')
check "uninstall removes every file${left:+ (left: $left)}" test -z "$left"
check "uninstall removes the Start-menu entries" test ! -e "$lnk" -a ! -e "$current_lnk"
check "uninstall removes its entry" bash -c "! wine reg query '$uninst' >/dev/null 2>&1"
check "the screen saver before is back" \
    test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\before.scr'
check "ScreenSaveActive as before" test "$(reg_value "$desktop" ScreenSaveActive || echo "(none)")" = "$active_before"

# Uninstalling while the programs run. By hand, with the settings dialog
# open: the uninstaller asks to close it first, before anything else (Return
# is Retry, and the dialog still runs; Return on the confirmation page would
# uninstall); Cancel keeps everything.
wine "$setup" /S
wine "$instdir/Corvane.scr" /c & dialog=$!
wait_window "Corvane Screen Saver" 30 >/dev/null
wine "$instdir/Uninstall.exe" & pid=$!
if box=$(wait_window "Corvane Screen Saver Uninstall *" 30); then
    sleep 1
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key Return
    sleep 2
    box=$(wait_window "Corvane Screen Saver Uninstall *" 5) &&
        xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key Escape
fi
sleep 3
check "by hand, a running program is closed first; cancelled, all stays" \
    test -f "$instdir/Corvane.scr" -a -f "$instdir/Uninstall.exe" -a -f "$instdir/corvane.ini"
check "cancelled: the uninstall entry stays" wine reg query "$uninst" >/dev/null 2>&1
stop $pid
stop $dialog
focus_root

# Silently, with the saver running: it is ended and everything goes.
wine "$instdir/Corvane.scr" /s & saver=$!
wait_window Form1 40 >/dev/null
wine "$instdir/Uninstall.exe" /S
for _ in $(seq 300); do [ -e "$instdir" ] || break; sleep 0.1; done
left=$(find "$instdir" 2>/dev/null | tr '\n' ' ')
check "uninstall with the saver running removes every file${left:+ (left: $left)}" test -z "$left"
check "the running saver was ended" wait_gone $saver 10
check "and its entry goes" bash -c "! wine reg query '$uninst' >/dev/null 2>&1"
stop $saver
focus_root

passed=0 failed=0
for r in "${RESULTS[@]}"; do case "$r" in PASS*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)) ;; esac; done
echo "installer tests: $passed passed, $failed failed"
[ $failed = 0 ]
