#!/usr/bin/env bash
# The Windows tests inside one X session (started by scripts/test-windows.sh
# through scripts/xvfb.sh): unit tests under Wine, the differential trace
# against the Linux build, the process tests, the installer, the Windows
# Installer package and the signing of both. Ends with one summary line.
#   run_under_x.sh WIN_BUILD LINUX_BUILD
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
export WIN_BUILD=$(cd "$1" && pwd) LINUX_BUILD=$(cd "$2" && pwd) WIN_SRC=$src
export WIN_PROG=$WIN_BUILD/win-install WIN_SHOTS=$WIN_BUILD/shots
. "$src/scripts/wine-env.sh" "$WIN_BUILD"
trap 'wineserver -k 2>/dev/null' EXIT

# Unit tests. A program that cannot start under Wine exits 0 silently, so
# each must first list its tests.
unit_summary="unit tests did not run"
started=0 silent=""
for exe in "$WIN_BUILD"/tests/*.exe; do
    n=$(wine "$exe" --gtest_list_tests 2>/dev/null | tr -d '\r' | grep -c '^  ')
    if [ "$n" -gt 0 ]; then started=$((started + 1)); else silent="$silent $(basename "$exe")"; fi
done
# A test whose program Wine now and then fails to start (no output at all,
# seen once in some 1,300 runs) gets a second run; a test that fails in
# earnest fails both.
(cd "$WIN_BUILD" && ctest -j2 --timeout 300 --output-on-failure --repeat until-pass:2 -L unit) \
    >"$WIN_BUILD/unit.log" 2>&1
unit_rc=$?
tail -n 25 "$WIN_BUILD/unit.log"
line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$WIN_BUILD/unit.log")
if [ -n "$line" ]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    failed=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
    unit_summary="unit $((total - failed))/$total passed in $started programs"
fi
[ -n "$silent" ] && { unit_summary="$unit_summary; did not start:$silent"; unit_rc=1; }

# The differential trace: our software GDI and settings file (Linux) against
# gdi32 and kernel32 (Wine), over generated cases.
diffs=0 cases=0
for run in "1200 1" "1200 2 outside"; do
    set -- $run
    "$LINUX_BUILD/corvane_differential_trace" $run >"$WIN_BUILD/trace-linux-$2.txt"
    wine "$WIN_BUILD/corvane_differential_trace.exe" $run 2>/dev/null | tr -d '\r' \
        >"$WIN_BUILD/trace-wine-$2.txt"
    if ! grep -q '^trace done' "$WIN_BUILD/trace-wine-$2.txt"; then diffs=$((diffs + 1)); fi
    d=$(diff "$WIN_BUILD/trace-linux-$2.txt" "$WIN_BUILD/trace-wine-$2.txt" | grep -c '^<')
    diffs=$((diffs + d))
    cases=$((cases + 3 * $1))
done
echo "differential: $diffs differences in $cases cases (GDI, sprites and profile strings)"

# Process tests of the real programs.
bash "$src/tests/windows/process/process_tests.sh" | tee "$WIN_BUILD/process.log"
process_rc=${PIPESTATUS[0]}
process_summary=$(grep '^process tests:' "$WIN_BUILD/process.log" || echo "process tests did not finish")

# suite NAME WHAT SCRIPT [ARGS...]: runs tests/windows/installer/SCRIPT on
# the built WHAT (the first argument; missing when empty) into NAME.log and
# sets NAME_rc and NAME_summary from its count line "NAME tests: ...".
suite() {
    local name=$1 what=$2 script=$3 rc summary
    shift 3
    if [ -n "${1:-}" ]; then
        bash "$src/tests/windows/installer/$script" "$@" | tee "$WIN_BUILD/$name.log"
        rc=${PIPESTATUS[0]}
        summary=$(grep "^$name tests:" "$WIN_BUILD/$name.log" || echo "$name tests did not finish")
    else
        rc=1 summary="no $what was built"
    fi
    printf -v "${name}_rc" %s "$rc"
    printf -v "${name}_summary" %s "$summary"
}

# The installer, in a Wine prefix of its own.
setup=$(ls "$WIN_BUILD"/Corvane-*-setup.exe 2>/dev/null | head -1)
suite installer installer installer_test.sh "$setup"

# What the two installers carry, read from their files.
if [ -n "$setup" ] && [ -n "$(ls "$WIN_BUILD"/Corvane-*.msi 2>/dev/null)" ]; then
    bash "$src/tests/windows/installer/package_files_test.sh" "$setup" \
        "$(ls "$WIN_BUILD"/Corvane-*.msi | head -1)" "$WIN_BUILD" | tee "$WIN_BUILD/package.log"
    package_rc=${PIPESTATUS[0]}
    package_summary=$(grep '^package tests:' "$WIN_BUILD/package.log" || echo "package tests did not finish")
else
    package_rc=1 package_summary="package tests: an installer is missing"
fi

# The Windows Installer package, in a Wine prefix of its own.
msi=$(ls "$WIN_BUILD"/Corvane-*.msi 2>/dev/null | head -1)
suite msi "Windows Installer package" msi_test.sh "$msi"

# Signing with a throwaway certificate.
bash "$src/tests/windows/installer/signing_test.sh" "$WIN_BUILD" | tee "$WIN_BUILD/signing.log"
signing_rc=${PIPESTATUS[0]}
signing_summary=$(grep '^signing tests:' "$WIN_BUILD/signing.log" || echo "signing tests did not finish")

echo "WINDOWS SUMMARY: $unit_summary; differential $diffs differences in $cases cases; $process_summary; $installer_summary; $package_summary; $msi_summary; $signing_summary"
[ $unit_rc = 0 ] && [ $diffs = 0 ] && [ $process_rc = 0 ] && [ $installer_rc = 0 ] &&
    [ $package_rc = 0 ] && [ $msi_rc = 0 ] && [ $signing_rc = 0 ]
