#!/usr/bin/env bash
# Runs a test program against the mock desktop portal (portal_mock.py) on a private session bus.
# Usage: portal_run.sh <test program> [its arguments]
set -u
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=tests/platform/mock_bus.sh
source "$here/mock_bus.sh"
mock_bus_run "mock portal" "$here/portal_mock.py" "$@"
