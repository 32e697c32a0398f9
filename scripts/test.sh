#!/usr/bin/env bash
# Checks the formatting of the C++ files, builds everything and runs every test: the engine, the command line, the windows, the program
# end to end, the engine tests once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of every fuzz target. Ends with the summary of every test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
build=${TALLYMAN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
status=0
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

run_ctest() {  # label, build dir
  local log
  log=$(mktemp)
  ctest --test-dir "$2" --output-on-failure -j "$(nproc)" 2>&1 | tee "$log" || true
  local line
  line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1)
  [ -n "$line" ] || line="0% tests passed, 1 tests failed out of 1 (ctest did not finish)"
  echo "$1: $line" >>"$summary"
  rm -f "$log"
  grep -qE ', 0 tests failed' <<<"$line"
}

echo "== formatting"
if "$root/scripts/format.sh" --check; then
  echo "format: every C++ file formatted" >>"$summary"
else
  echo "format: FAILED (scripts/format.sh formats the tree)" >>"$summary"
  status=1
fi

run_ctest "tests" "$build" || status=1

if [ "${TALLYMAN_SKIP_SANITIZE:-}" != 1 ]; then
  echo "== engine tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  # Warnings are checked by the main build; the sanitizers make GCC report false positives.
  TALLYMAN_BUILD_DIR="$build-sanitize" "$root/scripts/build.sh" -DTALLYMAN_SANITIZE=ON -DTALLYMAN_WERROR=OFF \
    -DTALLYMAN_BUILD_UI=OFF -DTALLYMAN_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest "sanitizers" "$build-sanitize" || status=1
fi
if [ "${TALLYMAN_SKIP_FUZZ:-}" != 1 ] && command -v clang++ >/dev/null 2>&1; then
  echo "== fuzz targets under the sanitizers"
  if "$root/scripts/fuzz.sh" "${TALLYMAN_FUZZ_SECONDS:-60}"; then
    echo "fuzz: no failure found" >>"$summary"
  else
    echo "fuzz: FAILED" >>"$summary"
    status=1
  fi
fi

echo
echo "== summary"
cat "$summary"
passed=0
failed=0
while read -r _ _ _ failedCount _ _ _ _ total; do
  passed=$((passed + total - failedCount))
  failed=$((failed + failedCount))
done < <(grep -oE '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$summary")
[ $status -eq 0 ] || [ $failed -gt 0 ] || failed=1
echo "$passed passed, $failed failed"
exit $status
