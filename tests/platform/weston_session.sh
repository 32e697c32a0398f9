# shellcheck shell=bash
# A private headless Weston for the Wayland tests: its own runtime folder and socket
# (tallyman-wl-...), its debug interface on so a test can read the scene graph. Every wait is
# bounded; weston_stop ends it (call it from the caller's EXIT trap).
#
# Usage:  source weston_session.sh
#         weston_available || exit 77
#         weston_start DIR || exit 1   # exports XDG_RUNTIME_DIR and WAYLAND_DISPLAY
#         weston_has_window PID        # the program PID shows a top-level window
#         weston_gone PID              # the process PID has ended
#         weston_stop

WESTON_PID=""

weston_available() { command -v weston >/dev/null && command -v weston-debug >/dev/null; }

# Polls a command every 50 ms until it succeeds or the time (in seconds) is up.
weston_poll() {
  local tries=$(($1 * 20))
  shift
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

weston_gone() { ! kill -0 "$1" 2>/dev/null; }

weston_ready() {
  kill -0 "$WESTON_PID" 2>/dev/null && [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] &&
    timeout 2 weston-debug -l >/dev/null 2>&1
}

weston_start() {
  local dir=$1
  mkdir -p "$dir/runtime" && chmod 700 "$dir/runtime" || return 1
  export XDG_RUNTIME_DIR="$dir/runtime"
  export WAYLAND_DISPLAY="tallyman-wl-$$-$RANDOM"
  weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config --debug \
    >"$dir/weston.log" 2>&1 &
  WESTON_PID=$!
  weston_poll 10 weston_ready
}

# The compositor's scene graph lists each mapped top-level window with its client's PID.
weston_has_window() {
  timeout 2 weston-debug scene-graph 2>/dev/null | grep -q "role xdg_toplevel, PID $1,"
}

weston_stop() {
  [[ -n "$WESTON_PID" ]] && kill -0 "$WESTON_PID" 2>/dev/null || return 0
  kill "$WESTON_PID" 2>/dev/null
  weston_poll 2 weston_gone "$WESTON_PID" || kill -9 "$WESTON_PID" 2>/dev/null
  wait "$WESTON_PID" 2>/dev/null
  WESTON_PID=""
  return 0
}
