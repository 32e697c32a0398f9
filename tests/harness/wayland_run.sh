#!/usr/bin/env bash
# Runs a test program on Qt's wayland platform under a private headless Weston, which is ended on
# exit. Skips (77) when weston is not installed.
# Usage: wayland_run.sh <test program> [its arguments]
set -u
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=tests/harness/lib.sh
source "$here/lib.sh"
# shellcheck source=tests/harness/weston.sh
source "$here/weston.sh"
harness_begin wayland
harness_start_weston
export QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
