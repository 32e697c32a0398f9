#!/usr/bin/env bash
# Formats every C++ file of the project with .clang-format; with --check it changes nothing and
# fails, naming the places, when a file is not formatted.
# Usage: scripts/format.sh [--check]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find bench cli engine fuzz platform tests ui -name '*.cpp' -o -name '*.h' | sort)
fi
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
