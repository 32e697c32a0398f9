#!/usr/bin/env bash
# Runs a test program on Qt's wayland platform under a private headless Weston, which is ended on
# exit. Skips (77) when weston is not installed.
# Usage: wayland_run.sh <test program> [its arguments]
set -u
# shellcheck source=tests/platform/weston_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/weston_session.sh"
if ! weston_available; then
  echo "SKIP: weston is not installed (scripts/deps.sh test installs it)"
  exit 77
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-wayland.XXXXXX") || exit 1
cleanup() {
  local status=$?
  weston_stop
  if ((status != 0)) && [[ -s "$dir/weston.log" ]]; then
    echo "weston output:" >&2
    tail -n 30 "$dir/weston.log" | sed 's/^/  | /' >&2
  fi
  rm -rf "$dir"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

weston_start "$dir" || { echo "FAIL: weston did not start" >&2; exit 1; }
export QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
