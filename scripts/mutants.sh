#!/usr/bin/env bash
# Mutation check: applies each single-point fault under tests/mutants/ (one small patch each) to a
# scratch copy of the sources, rebuilds the engine tests and the command line, and runs them. A
# mutant the tests do not catch "survives": a test is missing. Takes minutes, so it is not part of
# scripts/test.sh; run it before ending work that changes engine rules, windows or desktop services.
# A window or desktop-service fault names the tests that must catch it in a line above its first
# "---" (patch passes over that text); only their programs are built and only they are run:
#   # tests: ui.note_window_test platform.portal_hot_key
#   scripts/mutants.sh [patch ...]     (default: every tests/mutants/*.patch)
# Exit status 0 when every mutant was caught.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=${TALLYMAN_MUTANTS_DIR:-$(mktemp -d /tmp/tallyman-mutants.XXXXXX)}
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$scratch}
jobs=${TALLYMAN_MUTANTS_JOBS:-2}

if [ $# -gt 0 ]; then patches=("$@"); else patches=("$root"/tests/mutants/*.patch); fi

echo "== scratch copy in $scratch"
# Only files whose content differs are copied, so a kept scratch copy rebuilds what changed and
# nothing else (a copy that restored old times would hide a source newer than its object file).
mkdir -p "$scratch/src"
(cd "$root" && git ls-files -z --cached --others --exclude-standard) | while IFS= read -r -d '' file; do
  [ -f "$root/$file" ] || continue
  if ! cmp -s "$root/$file" "$scratch/src/$file"; then
    mkdir -p "$(dirname "$scratch/src/$file")"
    cp "$root/$file" "$scratch/src/$file"
  fi
done
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja >/dev/null

# The tests a patch names above its first "---"; none for an engine fault.
named_tests() {
  sed -n '/^---/q; s/^# tests://p' "$1" | tr -s ' \t' '\n' | sed '/^$/d'
}

# The programs of the build the named tests run (the window and platform tests' executables);
# ctest names a program not built yet only as one it could not find.
test_programs() {
  local test
  for test in "$@"; do
    ctest --test-dir "$scratch/build" -N -V -R "^${test//./\\.}\$" |
      sed -n -e 's/^.*Test command: //p' -e 's/^Could not find executable //p' |
      tr -d '"' | tr ' ' '\n' | grep "^$scratch/build/" | xargs -r -n1 basename
  done | sort -u
}

# A regular expression matching exactly the named tests.
tests_regex() {
  local regex
  regex=$(printf '^%s$|' "${@//./\\.}")
  echo "${regex%|}"
}

# 0: the tests pass; 1: one fails; 2: the sources do not build; 3: a named test does not exist.
run_tests() {
  if [ $# -eq 0 ]; then
    cmake --build "$scratch/build" -j "$jobs" --target engine_tests --target tallyman-cli >/dev/null 2>&1 || return 2
    "$scratch/build/tests/engine_tests" --gtest_brief=1 >/dev/null 2>&1 || return 1
    ctest --test-dir "$scratch/build" -R '^cli\.' >/dev/null 2>&1 || return 1
    return 0
  fi
  local programs=()
  [ "$(ctest --test-dir "$scratch/build" -N -R "$(tests_regex "$@")" | grep -c 'Test *#')" -eq $# ] || return 3
  mapfile -t programs < <(test_programs "$@")
  [ ${#programs[@]} -gt 0 ] || return 3
  cmake --build "$scratch/build" -j "$jobs" "${programs[@]/#/--target=}" >/dev/null 2>&1 || return 2
  # The timeout stops a hang (a mutant may leave a window waiting); the tests' own hold where set.
  ctest --test-dir "$scratch/build" --timeout 300 -R "$(tests_regex "$@")" >"$scratch/ctest.log" 2>&1 || return 1
  return 0
}

echo "== unmutated sources"
window_tests=()
for patch in "${patches[@]}"; do mapfile -t -O ${#window_tests[@]} window_tests < <(named_tests "$patch"); done
mapfile -t window_tests < <(printf '%s\n' "${window_tests[@]}" | sed '/^$/d' | sort -u)
baseline=0
run_tests || baseline=$?
if [ $baseline -eq 0 ] && [ ${#window_tests[@]} -gt 0 ]; then
  run_tests "${window_tests[@]}" || baseline=$?
  # A test that skips here (its X server, bus or portal missing) can catch nothing.
  if grep -q 'Skipped' "$scratch/ctest.log"; then
    echo "these tests skip here, so their mutants will survive:" >&2
    grep 'Skipped' "$scratch/ctest.log" >&2
  fi
fi
case $baseline in
  0) ;;
  3) echo "a patch names a test that does not exist (see ctest -N): ${window_tests[*]}" >&2; exit 2 ;;
  *) echo "the tests fail without any mutant: fix them first" >&2; exit 2 ;;
esac

killed=0
survived=()
skipped=()
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  if ! patch -s -p1 -d "$scratch/src" --dry-run <"$patch" >/dev/null 2>&1; then
    skipped+=("$name")
    echo "skipped   $name (the patch no longer applies)"
    continue
  fi
  mapfile -t tests < <(named_tests "$patch")
  patch -s -p1 -d "$scratch/src" <"$patch"
  set +e
  run_tests "${tests[@]}"
  outcome=$?
  set -e
  patch -s -R -p1 -d "$scratch/src" <"$patch"
  case $outcome in
    0) survived+=("$name"); echo "SURVIVED  $name" ;;
    1) killed=$((killed + 1)); echo "killed    $name" ;;
    *) killed=$((killed + 1)); echo "killed    $name (does not build)" ;;
  esac
done

total=$((killed + ${#survived[@]}))
echo "== mutation score: $killed of $total killed, ${#survived[@]} survived, ${#skipped[@]} skipped"
[ -z "${TALLYMAN_MUTANTS_DIR:-}" ] && rm -rf "$scratch"
[ ${#survived[@]} -eq 0 ] && [ ${#skipped[@]} -eq 0 ]
