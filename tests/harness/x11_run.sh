#!/usr/bin/env bash
# Runs one command in an X session of its own: Xvfb on a free display, openbox without key
# bindings as its window manager (none with --no-wm), a private home and a session bus address
# that refuses (a test that needs a bus starts its own: bus_run.sh).
# Usage: x11_run.sh [--no-wm] command [arguments...]   (exit 77: the tools are not installed)
set -u
# shellcheck source=tests/harness/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
with_wm=1
if [[ "${1:-}" == --no-wm ]]; then
  with_wm=0
  shift
fi
harness_require Xvfb openbox xdotool xprop xset xmodmap xterm
harness_begin x11
harness_private_home
export QT_QPA_PLATFORM=xcb
harness_start_x
((with_wm)) && harness_start_wm --no-keys
"$@"
