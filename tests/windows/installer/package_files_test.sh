#!/usr/bin/env bash
# What the two Windows installers carry, read from their files (no Wine
# needed): the programs packed in each are stripped of their symbols, name
# their maker's copyright and each itself in its manifest; the per-user
# installer shows the product's icon, is DPI aware and names the copyright.
# Prints one line per check, the programs' sizes and a count.
#   package_files_test.sh SETUP.EXE PACKAGE.MSI BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../process/lib.sh"
setup=$1 msi=$2 build=$3
icon=$here/../../../platform/desktop/win32/res/corvane.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # NAME COMMAND...
    if "${@:2}"; then pass "package: $1"; else fail "package: $1" "failed"; fi
}
# The text of a file's version resource, one string a line.
version_text() { wrestool -x --raw -t16 "$1" 2>/dev/null | strings -a -el; }
copyright_ok() { version_text "$1" | grep -A1 -x LegalCopyright | grep -qx 'Copyright (C) Vantrel Software'; }
manifest() { wrestool -x --raw -t24 "$1" 2>/dev/null; }
names_itself() { manifest "$1" | grep -q "name=\"VantrelSoftware.$2\""; }
# No symbol table and no debugging sections.
stripped() {
    x86_64-w64-mingw32-nm "$1" 2>&1 | grep -q 'no symbols' &&
        ! x86_64-w64-mingw32-objdump -h "$1" | grep -q '\.debug'
}
mkdir -p "$work/setup" "$work/msi"
7zz x -y -o"$work/setup" "$setup" >/dev/null
msiextract -C "$work/msi" "$msi" >/dev/null
packed_msi=$(dirname "$(find "$work/msi" -name Corvane.scr | head -1)")

for kind in setup msi; do
    [ $kind = setup ] && dir=$work/setup || dir=$packed_msi
    for p in Corvane.scr:Corvane Tellwell.exe:Tellwell; do
        file=${p%%:*} name=${p#*:}
        if [ ! -f "$dir/$file" ]; then fail "package: $kind: $file" "not packed"; continue; fi
        check "$kind: $file stripped" stripped "$dir/$file"
        check "$kind: $file names the copyright" copyright_ok "$dir/$file"
        check "$kind: $file's manifest names it" names_itself "$dir/$file" "$name"
        echo "  $kind: $file $(stat -c %s "$build/$file") bytes as built, $(stat -c %s "$dir/$file") packed"
    done
done
check "setup: the product's icon" same_icon "$setup" "$icon"
dpi_aware() { manifest "$1" | grep -q '<dpiAware[^>]*>true</dpiAware>'; }
check "setup: DPI aware" dpi_aware "$setup"
check "setup: names the copyright" copyright_ok "$setup"

passed=0 failed=0
for r in "${RESULTS[@]}"; do case "$r" in PASS*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)) ;; esac; done
echo "package tests: $passed passed, $failed failed"
[ $failed = 0 ]
