#!/usr/bin/env bash
# Mutation check of the engine: applies each single-point fault under tests/mutants/ (one small
# patch each) to a scratch copy of the sources, rebuilds the engine tests and the command line,
# and runs them. A mutant the tests do not catch "survives": a test is missing. Takes minutes, so
# it is not part of scripts/test.sh; run it before ending work that changes engine rules.
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
targets=(--target engine_tests --target tallyman-cli)

run_tests() {
  cmake --build "$scratch/build" -j "$jobs" "${targets[@]}" >/dev/null 2>&1 || return 2
  "$scratch/build/tests/engine_tests" --gtest_brief=1 >/dev/null 2>&1 || return 1
  ctest --test-dir "$scratch/build" -R '^cli\.' >/dev/null 2>&1 || return 1
  return 0
}

echo "== unmutated sources"
if ! run_tests; then
  echo "the tests fail without any mutant: fix them first" >&2
  exit 2
fi

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
  patch -s -p1 -d "$scratch/src" <"$patch"
  set +e
  run_tests
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
