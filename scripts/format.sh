#!/usr/bin/env bash
# Formats every C++ file of the repository with clang-format 14 and the project's
# .clang-format; with --check changes nothing and fails on the first unformatted line
# (as CI runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!fuzz/corpus/*')
if [ "${1:-}" = "--check" ]; then
    clang-format-14 --dry-run --Werror "${files[@]}"
    echo "format: ${#files[@]} files formatted as .clang-format says"
else
    clang-format-14 -i "${files[@]}"
fi
