# shellcheck shell=bash
# The test harness: one place that starts a private Xvfb with openbox, a private session bus with
# a mock on it, and waits for things to become true. Every wait is bounded, and everything started
# here is ended by the EXIT trap, also when a check fails or the script is terminated; clean-ups
# run newest first, and the script's exit status survives them.
#
# Usage:  source tests/harness/lib.sh
#         harness_begin NAME      # a temporary folder HARNESS_DIR, the traps
#         harness_private_home    # HOME and XDG folders inside it, a session bus address that refuses
#         harness_start_x; harness_start_wm [--no-keys]
#         harness_start_bus [service folder]; harness_start_mock NAME MOCK.py
#         wait_until SECONDS command...

HARNESS_DIR=""
HARNESS_XVFB_PID=""
HARNESS_WM_PID=""
HARNESS_BUS_PID=""
HARNESS_STATUS=0     # the exit status, for clean-ups that report on failure
HARNESS_CLEANUPS=()
HARNESS_TRAPS_IN=""  # the process whose traps are set (a subshell sets its own)

harness_log() { echo "harness: $*" >&2; }

# Polls a command every 50 ms until it succeeds or the time (in seconds) is up. The time only
# stops a hang: keep it ten times the longest wait seen on a loaded machine, which E2E_TIMING=1
# logs for every wait that succeeds.
wait_until() {
  local seconds=$1
  shift
  local tries=$((seconds * 20)) start=$EPOCHREALTIME
  while ((tries-- > 0)); do
    if "$@"; then
      if [[ -n "${E2E_TIMING:-}" ]]; then
        harness_log "waited $(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }') s of $seconds for $*"
      fi
      return 0
    fi
    sleep 0.05
  done
  return 1
}

harness_gone() { ! kill -0 "$1" 2>/dev/null; }

harness_stop() {  # pid: TERM, up to 2 s, then KILL
  [[ -n "$1" ]] && kill -0 "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null
  wait_until 2 harness_gone "$1" || kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}

harness_run_cleanups() {
  HARNESS_STATUS=$?
  set +e  # every clean-up runs, also in a script under set -e
  local i
  for ((i = ${#HARNESS_CLEANUPS[@]} - 1; i >= 0; i--)); do eval "${HARNESS_CLEANUPS[i]}"; done
  exit "$HARNESS_STATUS"
}

# Runs a command (one string) on exit.
harness_at_exit() {
  if [[ "$HARNESS_TRAPS_IN" != "$BASHPID" ]]; then  # a subshell ends only what it started
    HARNESS_TRAPS_IN=$BASHPID
    HARNESS_CLEANUPS=()
    trap harness_run_cleanups EXIT
    trap 'exit 1' INT TERM HUP
  fi
  HARNESS_CLEANUPS+=("$1")
}

# On failure, shows the logs in the run's folder (E2E_KEEP=1 keeps the folder), then removes it.
harness_end_dir() {
  local log
  if ((HARNESS_STATUS != 0)); then
    for log in "$HARNESS_DIR"/*.log; do
      [[ -s "$log" ]] || continue
      harness_log "$(basename "$log" .log) output:"
      tail -n 40 "$log" | sed 's/^/  | /' >&2
    done
  fi
  if [[ -n "${E2E_KEEP:-}" ]]; then harness_log "kept $HARNESS_DIR"; else rm -rf "$HARNESS_DIR"; fi
}

harness_begin() {
  HARNESS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-$1.XXXXXX") || exit 1
  harness_at_exit harness_end_dir
}

harness_private_home() {
  local d
  for d in home config data cache runtime; do mkdir -p "$HARNESS_DIR/$d"; done
  chmod 700 "$HARNESS_DIR/runtime"
  export HOME="$HARNESS_DIR/home" XDG_CONFIG_HOME="$HARNESS_DIR/config" XDG_DATA_HOME="$HARNESS_DIR/data"
  export XDG_CACHE_HOME="$HARNESS_DIR/cache" XDG_RUNTIME_DIR="$HARNESS_DIR/runtime"
  unset SESSION_MANAGER QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE WAYLAND_DISPLAY
  # A session bus address that refuses: without one, libdbus would start a bus through dbus-launch
  # (where dbus-x11 is installed) and leave it running; with the caller's, the program would meet
  # whatever that desktop offers. A test that needs a bus starts its own (harness_start_bus).
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$HARNESS_DIR/no-session-bus"
}

harness_require() {  # tools...: skips (77) when one is missing
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null && continue
    echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  done
}

# The display is ours only while the lock names our server: another run's Xvfb that took the
# number first answers the probe too, and its keys and grabs would mix with this test's.
harness_x_ready() {
  kill -0 "$HARNESS_XVFB_PID" 2>/dev/null || return 1
  [[ "$({ tr -d ' \n' <"/tmp/.X$1-lock"; } 2>/dev/null)" == "$HARNESS_XVFB_PID" ]] || return 1
  [[ -S /tmp/.X11-unix/X$1 ]] && DISPLAY=":$1" xprop -root >/dev/null 2>&1
}

# Xvfb on a free display number, exported as DISPLAY; a number taken between the check and the
# start is retried. E2E_DISPLAYS (say "85 86 87 88") limits the numbers tried.
# -noreset: otherwise the server resets when its last client leaves (the readiness probe), and a
# client connecting during that reset is refused.
harness_start_x() {
  local n candidates=()
  if [[ -n "${E2E_DISPLAYS:-}" ]]; then
    read -ra candidates <<<"$E2E_DISPLAYS"
  else
    for _ in $(seq 1 20); do candidates+=($((50 + RANDOM % 201))); done
  fi
  harness_at_exit 'harness_stop "$HARNESS_XVFB_PID"'
  for n in "${candidates[@]}"; do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$HARNESS_DIR/xvfb.log" 2>&1 &
    HARNESS_XVFB_PID=$!
    if wait_until 10 harness_x_ready "$n"; then
      export DISPLAY=":$n"
      return 0
    fi
    harness_stop "$HARNESS_XVFB_PID"
    HARNESS_XVFB_PID=""
  done
  echo "FAIL: no virtual X server could be started" >&2
  exit 1
}

harness_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# openbox, ready once it has set its check window on the root. --no-keys: without the stock key
# bindings (they take Print, for a screenshot tool).
harness_start_wm() {
  local config=()
  if [[ "${1:-}" == --no-keys ]]; then
    printf '%s\n' '<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard/></openbox_config>' >"$HARNESS_DIR/rc.xml"
    config=(--config-file "$HARNESS_DIR/rc.xml")
  fi
  openbox --sm-disable "${config[@]}" >"$HARNESS_DIR/openbox.log" 2>&1 &
  HARNESS_WM_PID=$!
  harness_at_exit 'harness_stop "$HARNESS_WM_PID"'
  wait_until 10 harness_wm_ready || { echo "FAIL: openbox did not start" >&2; exit 1; }
}

# The mocks are Python programs on dbus-python and GLib: HARNESS_PYTHON, or a skip (77).
harness_require_mock_python() {
  local candidate
  harness_require dbus-daemon
  for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import dbus, gi' 2>/dev/null; then
      HARNESS_PYTHON=$candidate
      return 0
    fi
  done
  echo "SKIP: python3-dbus or python3-gi is missing (scripts/deps.sh test installs them)"
  exit 77
}

harness_bus_ask() {  # method [argument]: a question to the bus itself, answered with its reply's values
  dbus-send --session --reply-timeout=2000 --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    "org.freedesktop.DBus.$1" ${2:+"string:$2"} 2>/dev/null
}

# Ended, or only waiting for the bus to collect its exit status.
harness_dead() { [[ "$(ps -o stat= -p "$1" 2>/dev/null)" != [^Z]* ]]; }

# Services the bus started are not this script's children: end every other client of the bus.
harness_end_bus_clients() {
  local name pid pids=()
  for name in $(harness_bus_ask ListNames | tr -s ' []' '\n' | grep '^:'); do
    pid=$(harness_bus_ask GetConnectionUnixProcessID "$name" | awk '{print $2}')
    [[ -z "$pid" || "$pid" == "$$" || "$pid" == "$BASHPID" ]] && continue
    kill "$pid" 2>/dev/null && pids+=("$pid")
  done
  for pid in "${pids[@]}"; do
    wait_until 2 harness_dead "$pid" || kill -9 "$pid" 2>/dev/null
  done
}

# A private session bus, exported as DBUS_SESSION_BUS_ADDRESS. It has no service folders, so
# nothing on the machine is started by it, unless one is given: then it starts those services
# when they are first asked for, and they are ended with it.
harness_start_bus() {
  local services=${1:-}
  cat >"$HARNESS_DIR/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$HARNESS_DIR</listen>
  <auth>EXTERNAL</auth>
  ${services:+<servicedir>$services</servicedir>}
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  harness_require dbus-daemon
  dbus-daemon --config-file="$HARNESS_DIR/bus.conf" --nofork --nopidfile --print-address=1 \
    >"$HARNESS_DIR/bus-address" 2>"$HARNESS_DIR/bus.log" &
  HARNESS_BUS_PID=$!
  harness_at_exit 'harness_stop "$HARNESS_BUS_PID"'
  [[ -n "$services" ]] && harness_at_exit harness_end_bus_clients
  wait_until 10 test -s "$HARNESS_DIR/bus-address" || { echo "FAIL: the private bus did not start" >&2; exit 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$HARNESS_DIR/bus-address")
  export DBUS_SESSION_BUS_ADDRESS
}

# A mock service on the bus: MOCK.py writes the file named by its argument once it owns its names.
harness_start_mock() {
  local name=$1 mock=$2 ready
  ready="$HARNESS_DIR/${name// /-}.ready"
  "$HARNESS_PYTHON" "$mock" "$ready" >"$HARNESS_DIR/${name// /-}.log" 2>&1 &
  harness_at_exit "harness_stop $!"
  wait_until 10 test -s "$ready" || { echo "FAIL: the $name did not start" >&2; exit 1; }
}
