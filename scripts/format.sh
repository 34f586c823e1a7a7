#!/usr/bin/env bash
# Applies the project's .clang-format to every C++ file git tracks;
# with --check, changes nothing and fails when a file differs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh >/dev/null
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    clang-format --dry-run --Werror "${files[@]}"
    echo "format: ${#files[@]} files as .clang-format lays them out"
else
    clang-format -i "${files[@]}"
fi
