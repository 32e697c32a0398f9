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
  TALLYMAN_BUILD_DIR="$build-sanitize" "$root/scripts/build.sh" -DTALLYMAN_SANITIZE=ON \
    -DTALLYMAN_BUILD_UI=OFF -DTALLYMAN_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$build-sanitize" --output-on-failure -j "$(nproc)" || status=1
fi
exit $status
