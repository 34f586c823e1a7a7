#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for N seconds
# (default 60) over its corpus in fuzz/corpus/<name>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF >/dev/null
targets=$(cd fuzz && ls *.cmake | sed 's/\.cmake$//')
for t in $targets; do cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$t"; done
for t in $targets; do
    corpus=fuzz/corpus/$t
    work=$(mktemp -d)
    echo "== fuzz_$t for ${seconds}s"
    build-fuzz/fuzz_$t -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 "$work" "$corpus" 2>&1 | tail -3
    rm -rf "$work"
done
