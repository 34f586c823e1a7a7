#!/usr/bin/env bash
# Builds Corvane.scr and Tellwell.exe with mingw-w64 (build-win, or $1),
# their per-user installer (build-win/Corvane-VERSION-setup.exe) and
# per-machine package (build-win/Corvane-VERSION.msi), installs them into
# build-win/win-install, and runs the Windows tests under Wine inside Xvfb:
# the unit tests, a differential trace against the Linux build (build/),
# process tests of the programs, and each installer in a fresh Wine prefix.
# The last line is the summary; the exit status says whether everything
# passed.
set -uo pipefail
cd "$(dirname "$0")/.."
win=${1:-build-win}
linux=${2:-build}
scripts/deps.sh g++-mingw-w64-x86-64 wine wine64 fonts-wine googletest nsis msitools wixl icoutils 7zip \
    osslsigncode openssl
cmake -S . -B "$win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null || exit 1
if ! cmake --build "$win" -j2 || ! cmake --build "$win" -j2 --target corvane_differential_trace ||
    ! cmake --build "$win" --target corvane_installer || ! cmake --build "$win" --target corvane_msi; then
    echo "WINDOWS SUMMARY: the cross build failed"
    exit 1
fi
rm -rf "$win/win-install"
cmake --install "$win" --prefix "$win/win-install" >/dev/null
cmake -S . -B "$linux" >/dev/null && cmake --build "$linux" -j2 --target corvane_differential_trace \
    >/dev/null || { echo "WINDOWS SUMMARY: the Linux trace program failed to build"; exit 1; }
# With a window manager (openbox) new windows such as message boxes get the
# keyboard focus, as on a desktop.
scripts/xvfb.sh bash tests/windows/run_under_x.sh "$win" "$linux"
