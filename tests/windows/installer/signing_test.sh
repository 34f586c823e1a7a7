#!/usr/bin/env bash
# The signing step of the Windows installers with a throwaway certificate
# made here (its key behind a password in a file): the scripts that make
# the installer and the package sign the programs they pack, the installer,
# the uninstaller that the installer writes, and the package; each
# signature verifies against that certificate and names it as the signer.
# Without a certificate nothing is signed. Needs Wine for the uninstaller
# (a fresh prefix of its own). Prints one line per check and a count.
#   signing_test.sh WIN_BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../process/lib.sh"
build=$(cd "$1" && pwd)
src=$(cd "$here/../../.." && pwd)
installer_dir=$src/platform/desktop/win32/installer
version=$(sed -nE 's/^project\(Corvane VERSION ([0-9.]+).*/\1/p' "$src/CMakeLists.txt")
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

check() {  # NAME COMMAND...
    if "${@:2}"; then pass "signing: $1"; else fail "signing: $1" "failed"; fi
}
subject="/CN=Corvane Test Signer $$/O=Corvane Tests"
# Signed, the signature sound and trusted through the test's certificate,
# and the test's certificate the signer.
signed_by_test() {
    local out
    out=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1) &&
        grep -q '^Signature verification: ok' <<<"$out" &&
        grep -qF "Subject: $subject" <<<"$out"
}
unsigned() { [ -f "$1" ] && ! osslsigncode extract-signature -in "$1" -out "$work/extracted.sig" >/dev/null 2>&1; }

printf 'throwaway\n' >"$work/password"
openssl req -x509 -newkey rsa:2048 -keyout "$work/key.pem" -passout "file:$work/password" \
    -out "$work/cert.pem" -days 2 -subj "$subject" 2>/dev/null
signing=(-DSIGN_CERT="$work/cert.pem" -DSIGN_KEY="$work/key.pem"
    -DSIGN_PASSWORD_FILE="$work/password" -DOSSLSIGNCODE="$(command -v osslsigncode)")

cmake -DBUILD="$build" -DSTAGE="$work/installer" -DMAKENSIS="$(command -v makensis)" \
    -DSCRIPT="$installer_dir/corvane.nsi" -DICON="$src/platform/desktop/win32/res/corvane.ico" \
    -DVERSION="$version" -DOUT="$work/setup.exe" "${signing[@]}" \
    -P "$installer_dir/make_installer.cmake" >"$work/installer.log" 2>&1
check "the installer is made" test -f "$work/setup.exe"
cmake -DBUILD="$build" -DSTAGE="$work/msi" -DWIXL="$(command -v wixl)" \
    -DMSIBUILD="$(command -v msibuild)" -DTEMPLATE="$installer_dir/corvane.wxs.in" \
    -DICON="$src/platform/desktop/win32/res/corvane.ico" -DVERSION="$version" \
    -DOUT="$work/package.msi" "${signing[@]}" -P "$installer_dir/make_msi.cmake" \
    >"$work/msi.log" 2>&1
check "the package is made" test -f "$work/package.msi"

check "the installer is signed" signed_by_test "$work/setup.exe"
check "the package is signed" signed_by_test "$work/package.msi"
mkdir -p "$work/from-setup" "$work/from-msi"
7zz x -y -o"$work/from-setup" "$work/setup.exe" >/dev/null
msiextract -C "$work/from-msi" "$work/package.msi" >/dev/null
for f in Corvane.scr Tellwell.exe; do
    check "$f in the installer is signed" signed_by_test "$work/from-setup/$f"
    check "$f in the package is signed" signed_by_test "$(find "$work/from-msi" -name "$f" | head -1)"
done

# The uninstaller exists only once the installer has run.
wineserver -k 2>/dev/null
mkdir -p "$WINEPREFIX"
wineboot -u >/dev/null 2>&1
wine "$work/setup.exe" /S
instdir=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')\\Programs\\Corvane" 2>/dev/null)
check "the uninstaller it writes is signed" signed_by_test "$instdir/Uninstall.exe"
check "the installed programs are signed" signed_by_test "$instdir/Corvane.scr"
wineserver -k 2>/dev/null

# The build's own installers: signed only when a certificate is configured.
if grep -q '^CORVANE_SIGN_CERT:FILEPATH=.\+' "$build/CMakeCache.txt"; then
    echo "  (the build signs with a certificate of its own: its installers are not checked)"
else
    for f in "$build"/Corvane-*-setup.exe "$build"/Corvane-*.msi; do
        check "without a certificate $(basename "$f") is not signed" unsigned "$f"
    done
fi

passed=0 failed=0
for r in "${RESULTS[@]}"; do case "$r" in PASS*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)) ;; esac; done
echo "signing tests: $passed passed, $failed failed"
[ $failed = 0 ]
