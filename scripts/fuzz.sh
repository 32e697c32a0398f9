#!/usr/bin/env bash
# Builds the formula fuzz target with clang, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs it. Usage: scripts/fuzz.sh [SECONDS] (default 60). Build directory: build-fuzz/ (or
# $TALLYMAN_FUZZ_BUILD_DIR). New inputs found stay in the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/deps.sh" fuzz
build=${TALLYMAN_FUZZ_BUILD_DIR:-${TALLYMAN_BUILD_DIR:-$root/build}-fuzz}
compiler=$(command -v clang++-14 || command -v clang++)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" -DTALLYMAN_BUILD_FUZZ=ON \
  -DTALLYMAN_SANITIZE=ON -DTALLYMAN_BUILD_UI=OFF -DTALLYMAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target formula_fuzz -j "$(nproc)"
corpus="$build/fuzz/corpus/formula"
mkdir -p "$corpus"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/fuzz/formula_fuzz" -max_total_time="$seconds" -dict="$root/fuzz/formula.dict" \
  -artifact_prefix="$build/fuzz/" "$corpus" "$root/fuzz/corpus/formula"
