#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the Linux
# build's tests, then the Windows programs' tests under Wine
# (CORVANE_SKIP_WINDOWS=1 leaves those out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j2 --timeout 300)
if [ "${CORVANE_SKIP_WINDOWS:-0}" != 1 ]; then
    bash scripts/test-windows.sh build-win build
fi
