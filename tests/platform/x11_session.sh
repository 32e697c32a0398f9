#!/usr/bin/env bash
# Runs one command in an X session of its own: Xvfb on the first free display of a given list,
# openbox as its window manager (none with --no-wm), a private home; ends both afterwards, also on
# failure.
# Usage: x11_session.sh [--no-wm] "81 82" command [arguments...]   (exit 77: the tools are not installed)
set -u
with_wm=1
if [[ "${1:-}" == --no-wm ]]; then
  with_wm=0
  shift
fi
displays=$1
shift

for tool in Xvfb openbox xdotool xprop xset xmodmap xterm; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-x11.XXXXXX") || exit 1
xvfb_pid=""
wm_pid=""

stop() {  # pid: TERM, up to 2 s, then KILL
  [[ -n "$1" ]] && kill -0 "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null
  for _ in $(seq 40); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}
cleanup() {
  local status=$?
  stop "$wm_pid"
  stop "$xvfb_pid"
  if ((status != 0)) && [[ -s "$dir/xvfb.log" ]]; then sed 's/^/xvfb | /' "$dir/xvfb.log" >&2; fi
  rm -rf "$dir"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Polls a command every 50 ms for up to 10 s.
poll() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done
  return 1
}
# Ours only while the lock names our server: another run's Xvfb on the same number answers too.
x_ready() {
  kill -0 "$xvfb_pid" 2>/dev/null && [[ "$({ tr -d ' \n' <"/tmp/.X$1-lock"; } 2>/dev/null)" == "$xvfb_pid" ]] &&
    DISPLAY=":$1" xprop -root >/dev/null 2>&1
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# A display that another test took first makes Xvfb exit at once ("already active"): try the next.
# -noreset: the server would otherwise reset when its last client leaves.
for n in $displays; do
  [[ -e /tmp/.X$n-lock ]] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  if poll x_ready "$n"; then
    export DISPLAY=":$n"
    break
  fi
  stop "$xvfb_pid"
  xvfb_pid=""
done
if [[ -z "$xvfb_pid" ]]; then
  echo "no free display among: $displays" >&2
  exit 1
fi

mkdir -p "$dir/home" "$dir/runtime"
chmod 700 "$dir/runtime"
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY
# A session bus address that refuses, so no bus is started through dbus-launch and left behind;
# a test that needs a bus starts its own (sni_run.sh).
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus"

# openbox's stock configuration binds Print (to a screenshot tool), so the session's has no keys.
if ((with_wm)); then
  printf '%s\n' '<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard/></openbox_config>' >"$dir/rc.xml"
  openbox --sm-disable --config-file "$dir/rc.xml" >"$dir/openbox.log" 2>&1 &
  wm_pid=$!
  poll wm_ready || { echo "openbox did not start" >&2; exit 1; }
fi

"$@"
