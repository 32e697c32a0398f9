#!/usr/bin/env bash
# Builds the fuzz targets (formula, tape file, INI file, time calculator, number to words) with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs each for its share of the time.
# Usage: scripts/fuzz.sh [SECONDS] (default 60, in total). Build directory: build-fuzz/ (or
# $TALLYMAN_FUZZ_BUILD_DIR). New inputs found stay in the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
targets=(formula tape ini time words)
"$root/scripts/deps.sh" fuzz
build=${TALLYMAN_FUZZ_BUILD_DIR:-${TALLYMAN_BUILD_DIR:-$root/build}-fuzz}
compiler=$(command -v clang++-14 || command -v clang++)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" -DTALLYMAN_BUILD_FUZZ=ON \
  -DTALLYMAN_SANITIZE=ON -DTALLYMAN_BUILD_UI=OFF -DTALLYMAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/%/_fuzz}" -j "$(nproc)"
share=$((seconds / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1
for name in "${targets[@]}"; do
  echo "== $name: $share s"
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  dictionary=()
  [ -f "$root/fuzz/$name.dict" ] && dictionary=(-dict="$root/fuzz/$name.dict")
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/fuzz/${name}_fuzz" -max_total_time="$share" "${dictionary[@]}" \
    -artifact_prefix="$build/fuzz/$name-" "$corpus" "$root/fuzz/corpus/$name"
done
