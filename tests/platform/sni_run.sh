#!/usr/bin/env bash
# Runs a test program on a private session bus with the mock tray (sni_watcher.py) on it, or with
# nothing on it for --no-watcher.
# Usage: sni_run.sh [--no-watcher] <test program> [its arguments]
set -u
here=$(dirname "${BASH_SOURCE[0]}")
watcher="$here/sni_watcher.py"
if [[ "${1:-}" == --no-watcher ]]; then
  watcher=""
  shift
fi
# shellcheck source=tests/platform/mock_bus.sh
source "$here/mock_bus.sh"
mock_bus_run "mock tray" "$watcher" "$@"
