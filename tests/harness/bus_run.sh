#!/usr/bin/env bash
# Runs a test program on a private session bus, with the mock services given (--mock) or nothing.
# Skips (77) without dbus-daemon or Python's dbus and gi modules.
# Usage: bus_run.sh [--mock "name for messages" mock.py]... <test program> [its arguments]
set -u
# shellcheck source=tests/harness/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
harness_require_mock_python
harness_begin bus
harness_start_bus
while [[ "${1:-}" == --mock ]]; do
  harness_start_mock "$2" "$3"
  shift 3
done
"$@"
