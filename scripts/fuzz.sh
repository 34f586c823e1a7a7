#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each over its corpus in
# fuzz/corpus/<name>/, for N seconds (default 60) or, given as "-runs=N",
# for N executions; a second argument names one target (bmp, ini).
# The closing lines give each run's executions per second.
set -euo pipefail
cd "$(dirname "$0")/.."
length=${1:-60}
case $length in
-runs=*) limit=("$length") ;;
*) limit=(-max_total_time="$length") ;;
esac
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF >/dev/null
targets=${2:-$(cd fuzz && ls *.cmake | sed 's/\.cmake$//')}
for t in $targets; do cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$t"; done
for t in $targets; do
    corpus=fuzz/corpus/$t
    work=$(mktemp -d)
    echo "== fuzz_$t ${limit[*]}"
    build-fuzz/fuzz_$t "${limit[@]}" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$work" "$corpus" 2>&1 |
        grep -E 'Done|ERROR|SUMMARY|crash|average_exec_per_sec|peak_rss'
    rm -rf "$work"
done
