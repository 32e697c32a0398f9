# shellcheck shell=bash
# A private headless Weston for the Wayland tests (after tests/harness/lib.sh and harness_begin):
# its own runtime folder and socket (tallyman-wl-...), its debug interface on so a test can read
# the scene graph; ended on exit. Skips (77) when weston is not installed.
#
# Usage:  harness_start_weston         # exports XDG_RUNTIME_DIR and WAYLAND_DISPLAY
#         weston_has_window PID        # the program PID shows a top-level window

HARNESS_WESTON_PID=""

weston_ready() {
  kill -0 "$HARNESS_WESTON_PID" 2>/dev/null && [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] &&
    timeout 2 weston-debug -l >/dev/null 2>&1
}

harness_start_weston() {
  harness_require weston weston-debug
  mkdir -p "$HARNESS_DIR/runtime" && chmod 700 "$HARNESS_DIR/runtime" || exit 1
  export XDG_RUNTIME_DIR="$HARNESS_DIR/runtime"
  export WAYLAND_DISPLAY="tallyman-wl-$$-$RANDOM"
  weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config --debug \
    >"$HARNESS_DIR/weston.log" 2>&1 &
  HARNESS_WESTON_PID=$!
  harness_at_exit 'harness_stop "$HARNESS_WESTON_PID"'
  wait_until 10 weston_ready || { echo "FAIL: weston did not start" >&2; exit 1; }
}

# The compositor's scene graph lists each mapped top-level window with its client's PID.
weston_has_window() {
  timeout 2 weston-debug scene-graph 2>/dev/null | grep -q "role xdg_toplevel, PID $1,"
}
