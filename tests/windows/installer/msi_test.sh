#!/usr/bin/env bash
# The per-machine Windows Installer package under Wine, in a fresh prefix of
# its own: a silent install puts the programs, the default settings and the
# pictures into the 64-bit system folder and registers the product; a run of
# the installed saver by a user who cannot write that folder keeps its
# settings in the user's own folder (%LOCALAPPDATA%\Corvane) and ends on a
# key; a silent uninstall leaves nothing of the package (the user's own
# folder stays, as it does on Linux). Run inside the X session of
# scripts/test-windows.sh; prints one line per check and a count.
#   msi_test.sh PACKAGE.MSI
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../process/lib.sh"
# The system folder is the administrator's: the install and uninstall run
# with the right to write it, the saver's run without (as_owner, and the
# folder's write bits taken away meanwhile).
if [ "$(id -u)" = 0 ] && [ -z "${CORVANE_AS_OWNER:-}" ]; then
    CORVANE_AS_OWNER=1 as_owner bash "$0" "$@"
    exit
fi
msi=$1
export WINEPREFIX=$WIN_BUILD/msi-prefix
. "$here/prefix.sh"
fresh_prefix msi
product=$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')
uninst="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
sys=$WINEPREFIX/drive_c/windows/system32
ours="Corvane.scr Tellwell.exe corvane.ini vantrelsoftware"
pictures="flag_background.bmp flag_large.bmp flag_med.bmp flag_small.bmp flag_xlarge.bmp logo.bmp"
localapp=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)
user=$localapp/Corvane

wine msiexec /i "$(winpath "$msi")" /qn
check "silent install exits 0" test $? -eq 0
missing=""
for f in Corvane.scr Tellwell.exe corvane.ini; do [ -f "$sys/$f" ] || missing="$missing $f"; done
for f in $pictures; do [ -f "$sys/vantrelsoftware/corvane/$f" ] || missing="$missing $f"; done
check "files in the system folder${missing:+ (missing:$missing)}" test -z "$missing"
check "corvane.ini as shipped" cmp -s "$sys/corvane.ini" "$WIN_SRC/assets/corvane.ini"
check "the product is registered" test "$(reg_value "$uninst" DisplayName)" = "Corvane Screen Saver"
check "its publisher" test "$(reg_value "$uninst" Publisher)" = "Vantrel Software"

# The user's run: the system folder and what the package put there cannot
# be written.
chmod a-w "$sys" "$sys/Corvane.scr" "$sys/Tellwell.exe" "$sys/corvane.ini"
chmod -R a-w "$sys/vantrelsoftware"
before=$(cd "$sys" && md5sum Corvane.scr Tellwell.exe corvane.ini vantrelsoftware/corvane/*)
wine 'C:\windows\system32\Corvane.scr' /s & pid=$!
ended=0
if wait_window Form1 40 >/dev/null; then
    sleep 1
    xdotool key space
    wait_gone $pid 15 && ended=1
fi
[ $ended = 1 ] || stop $pid
focus_root
check "the saver ran from the system folder and a key ended it" test $ended = 1
check "its settings are in %LOCALAPPDATA%\\Corvane, the run counted" \
    test "$(WIN_PROG=$user ini_get applic appcurrent)" = 1
check "the user's folder has the pictures" diff -r "$sys/vantrelsoftware" "$user/vantrelsoftware"
check "the system folder is as installed" \
    test "$(cd "$sys" && md5sum Corvane.scr Tellwell.exe corvane.ini vantrelsoftware/corvane/*)" = "$before"
chmod u+w "$sys" "$sys/Corvane.scr" "$sys/Tellwell.exe" "$sys/corvane.ini"
chmod -R u+w "$sys/vantrelsoftware"

# A desktop picture that an administrator's run left beside the pictures
# goes with the package.
cp "$sys/vantrelsoftware/corvane/logo.bmp" "$sys/vantrelsoftware/corvane/background.bmp"
wine msiexec /x "$product" /qn
check "silent uninstall exits 0" test $? -eq 0
left=""
for f in $ours; do [ -e "$sys/$f" ] && left="$left $f"; done
check "uninstall leaves nothing in the system folder${left:+ (left:$left)}" test -z "$left"
check "uninstall removes the product's entry" bash -c "! wine reg query '$uninst' >/dev/null 2>&1"
check "the user's own folder stays" test -f "$user/corvane.ini"
# Nor anything elsewhere: no file named after us outside the user's folder
# (Windows Installer keeps a copy of each installed package), no registry
# entry that names us.
wineserver -w
stray=$(find "$WINEPREFIX/drive_c" -ipath "*/AppData/Local/Corvane" -prune -o \( -iname '*corvane*' -o -iname '*tellwell*' \) -print;
    find "$WINEPREFIX/drive_c/windows/Installer" -type f -iname '*.msi' 2>/dev/null)
check "no file of ours elsewhere${stray:+ (left: $stray)}" test -z "$stray"
keys=$(grep -il -e corvane -e tellwell "$WINEPREFIX"/*.reg | xargs -r -n1 basename | tr '\n' ' ')
check "no registry entry names us${keys:+ (in: $keys)}" test -z "$keys"

passed=0 failed=0
for r in "${RESULTS[@]}"; do case "$r" in PASS*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)) ;; esac; done
echo "msi tests: $passed passed, $failed failed"
[ $failed = 0 ]
