#!/bin/sh
# Adds Corvane to the user's list of xscreensaver display programs, in one
# step: into ~/.xscreensaver when the user has one (every other line kept),
# else into a new one that holds the system's list, so that every program
# xscreensaver offered before is still offered. Running it again changes
# nothing. The file is replaced whole, never left half written.
# Usage: corvane-xscreensaver [FILE]   (default: ~/.xscreensaver)
set -eu
file=${1:-$HOME/.xscreensaver}
defaults=${XSCREENSAVER_DEFAULTS:-}
for d in /etc/X11/app-defaults/XScreenSaver /usr/share/X11/app-defaults/XScreenSaver; do
    [ -n "$defaults" ] || { [ -r "$d" ] && defaults=$d; }
done
CORVANE_ENTRY='				"Corvane"  Corvane --root		    \n\'
export CORVANE_ENTRY

# The program list of a resource file (its "programs:" line and the lines
# continued from it), "*" taken off as the user's file writes it.
program_list() {
    awk '/^\*?programs:/ { on = 1 } on { sub(/^\*/, ""); print; if (!/\\$/) exit }' "$1"
}
# The entry first in the file's list; a list without entries gets its line
# continued.
insert_entry() {
    awk '/^programs:/ && !done {
            line = $0; e = ENVIRON["CORVANE_ENTRY"]
            if (line !~ /\\$/) { sub(/[ \t]*$/, "", line); line = line "\t\\"; sub(/\\$/, "", e) }
            print line; print e; done = 1; next
        }
        { print }'
}
if [ -f "$file" ] && program_list "$file" | grep -Eq '"Corvane"|[[:space:]]Corvane[[:space:]]+--?root'; then
    echo "Corvane is already in $file"
    exit 0
fi
if [ ! -f "$file" ] || ! grep -q '^programs:' "$file"; then
    [ -n "$defaults" ] || { echo "corvane-xscreensaver: xscreensaver's defaults not found" >&2; exit 1; }
fi
tmp=$(mktemp "$file.XXXXXX")
trap 'rm -f "$tmp"' EXIT
{
    if [ -f "$file" ]; then
        cat "$file"
    else
        echo "# xscreensaver's settings: the list of $defaults with Corvane added."
    fi
    if [ ! -f "$file" ] || ! grep -q '^programs:' "$file"; then
        program_list "$defaults"
    fi
} | insert_entry >"$tmp"
if [ -f "$file" ]; then chmod --reference="$file" "$tmp"; else chmod 644 "$tmp"; fi
mv "$tmp" "$file"
trap - EXIT
echo "Corvane added to $file"
