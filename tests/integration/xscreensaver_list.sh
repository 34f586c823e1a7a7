#!/usr/bin/env bash
# corvane-xscreensaver: a fresh user gets a ~/.xscreensaver with the
# system's list and Corvane first; a user with settings of their own keeps
# every other line; a second run changes nothing; a file without a list gets
# the system's; the real xscreensaver daemon, told to run the list's first
# program, runs Corvane. The daemon refuses root: it runs as the plain user
# corvane-xss (made when missing).
# Usage: xscreensaver_list.sh SOURCE_DIR BUILD_DIR   (inside scripts/xvfb.sh)
set -uo pipefail
src=$1
build=$2
add=$src/install/corvane-xscreensaver.sh
work=$(mktemp -d)
chmod 755 "$work"
# check, need_user
. "$(dirname "$0")/../hack/lib.sh"
defaults=/etc/X11/app-defaults/XScreenSaver
programs() { awk '/^\*?programs:/ { on = 1 } on { print; if (!/\\$/) exit }' "$1" | grep -c 'n\\$\|n$'; }

# A fresh user.
HOME=$work/fresh
mkdir -p "$HOME"
HOME=$HOME sh "$add" >/dev/null
file=$work/fresh/.xscreensaver
check "a fresh user gets a ~/.xscreensaver" test -f "$file"
check "with Corvane first in the list" \
    test "$(awk '/^programs:/ { getline; print; exit }' "$file" | tr -s ' \t' ' ')" = ' "Corvane" Corvane --root \n\'
check "and every program of the system's list" test "$(programs "$file")" = "$(($(programs "$defaults") + 1))"
cp "$file" "$work/before"
HOME=$work/fresh sh "$add" >/dev/null
check "a second run changes nothing" cmp -s "$file" "$work/before"

# A user with settings of their own, and a list.
printf '# mine\ntimeout:\t0:05:00\nmode:\t\tone\nselected:\t2\nprograms:\t\t\\\n\t\tmaze --root\t\\n\\\n\t\tqix -root\t\\n\n\nlock:\t\tFalse\n' >"$work/own"
chmod 600 "$work/own"
sh "$add" "$work/own" >/dev/null
check "every other line is kept" \
    test "$(grep -v Corvane "$work/own" | md5sum)" = "$(printf '# mine\ntimeout:\t0:05:00\nmode:\t\tone\nselected:\t2\nprograms:\t\t\\\n\t\tmaze --root\t\\n\\\n\t\tqix -root\t\\n\n\nlock:\t\tFalse\n' | md5sum)"
check "the list has Corvane" grep -q '"Corvane"  Corvane --root' "$work/own"
check "the file keeps its permissions" test "$(stat -c %a "$work/own")" = 600
check "no temporary file is left" test -z "$(ls "$work" | grep 'own\.')"

# Settings without a list: the system's list is added.
printf 'timeout:\t0:01:00\n' >"$work/nolist"
sh "$add" "$work/nolist" >/dev/null
check "a file without a list gets the system's, Corvane first" \
    test "$(programs "$work/nolist")" = "$(($(programs "$defaults") + 1))"
check "and keeps its settings" grep -q '^timeout:' "$work/nolist"

# The daemon reads it.
user=corvane-xss
need_user "$user"
mkdir -p "$work/xss" "$work/prog"
cp "$file" "$work/xss/.xscreensaver"
cp "$build/Corvane" "$work/prog/"
cp -r "$build/vantrelsoftware" "$build/corvane.ini" "$work/prog/"
chown -R "$user" "$work/xss" "$work/prog"
as_user() {
    runuser -u "$user" -- env -i HOME="$work/xss" DISPLAY="$DISPLAY" PATH="$work/prog:$PATH" "$@"
}
as_user xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
for _ in $(seq 50); do as_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.2; done
as_user xscreensaver-command -select 1 >/dev/null 2>&1
for _ in $(seq 50); do pgrep -u "$user" -f 'Corvane --root' >/dev/null && break; sleep 0.1; done
check "the daemon runs Corvane as the list's first program" pgrep -u "$user" -f 'Corvane --root'
as_user xscreensaver-command -exit >/dev/null 2>&1
sleep 0.5
pkill -u "$user" -f "$work/prog/Corvane" 2>/dev/null
rm -rf "$work"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
