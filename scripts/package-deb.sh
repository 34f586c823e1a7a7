#!/usr/bin/env bash
# Builds the Debian package: build/corvane_VERSION_ARCH.deb (or in $1).
# Install it with: sudo apt-get install ./build/corvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/deps.sh
scripts/build.sh "$dir"
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/corvane_*.deb
