#!/usr/bin/env bash
# The harness cleans up after itself: a run that aborts half-way, and one terminated from outside
# (as a test runner's timeout does), leave no Xvfb, openbox, program or temporary folder behind.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1

# $1: "abort" (the run fails a check) or "hold" (the run is sent SIGTERM while it waits).
check_run() {
  local record status fail=0
  record=$(mktemp) || exit 1
  (
    e2e_setup
    e2e_start
    echo "$HARNESS_XVFB_PID $HARNESS_WM_PID $E2E_PID $E2E_DIR" >"$record"
    [[ "$1" == hold ]] && e2e_poll 60 false  # short sleeps: the TERM trap runs at once
    e2e_abort "deliberate failure of the self-check"
  ) 2>/dev/null &
  local child=$!
  if [[ "$1" == hold ]]; then
    e2e_poll 30 test -s "$record"
    kill -TERM "$child" 2>/dev/null
  fi
  wait "$child"
  status=$?
  ((status == 77)) && { rm -f "$record"; exit 77; }
  local xvfb wm program dir
  read -r xvfb wm program dir <"$record"
  rm -f "$record"
  if [[ -z "$program" ]]; then
    echo "FAIL: the self-check ($1) did not get as far as a running program (exit $status)"
    return 1
  fi
  ((status == 1)) || { echo "FAIL: the $1 run exits $status, expected 1"; fail=1; }
  local pid
  for pid in "$xvfb" "$wm" "$program"; do
    if kill -0 "$pid" 2>/dev/null; then
      echo "FAIL: process $pid ($(ps -o comm= -p "$pid")) outlived the $1 run"
      kill -9 "$pid" 2>/dev/null
      fail=1
    fi
  done
  [[ ! -e "$dir" ]] || { echo "FAIL: $dir outlived the $1 run"; rm -rf "$dir"; fail=1; }
  return "$fail"
}

e2e_require_tools
failures=0
check_run abort || failures=1
check_run hold || failures=1
exit "$failures"
