#!/usr/bin/env bash
# Builds everything and runs every test: the engine, the command line, the windows, and the
# engine tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
build=${TALLYMAN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=1

if [ "${TALLYMAN_SKIP_SANITIZE:-}" != 1 ]; then
  echo "== engine tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  # Warnings are checked by the main build; the sanitizers make GCC report false positives.
  TALLYMAN_BUILD_DIR="$build-sanitize" "$root/scripts/build.sh" -DTALLYMAN_SANITIZE=ON -DTALLYMAN_WERROR=OFF \
    -DTALLYMAN_BUILD_UI=OFF -DTALLYMAN_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$build-sanitize" --output-on-failure -j "$(nproc)" || status=1
fi
if [ "${TALLYMAN_SKIP_FUZZ:-}" != 1 ] && command -v clang++ >/dev/null 2>&1; then
  echo "== formula fuzz target under the sanitizers"
  "$root/scripts/fuzz.sh" "${TALLYMAN_FUZZ_SECONDS:-60}" || status=1
fi
exit $status
