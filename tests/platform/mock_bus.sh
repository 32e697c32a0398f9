# shellcheck shell=bash
# A private session bus with one mock service on it, shared by portal_run.sh and sni_run.sh.
# The bus has no service directories, so nothing on the machine is started by it; the test sees
# exactly the mock. With mock_bus_services set to a folder of service files, the bus starts those
# services when they are first asked for, and they are ended through the bus on exit (activated
# services are not this script's children). Everything started here is ended on exit. Skips (77)
# without dbus-daemon or Python's dbus and gi modules.
# Usage (after sourcing): mock_bus_run <name for messages> <mock.py, or "" for none> <command...>

mock_bus_python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import dbus, gi' 2>/dev/null; then
    mock_bus_python=$candidate
    break
  fi
done
if [[ -z "$mock_bus_python" ]] || ! command -v dbus-daemon >/dev/null; then
  echo "SKIP: dbus-daemon, python3-dbus or python3-gi is missing (scripts/deps.sh test installs them)"
  exit 77
fi

mock_bus_dir=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-bus.XXXXXX") || exit 1
mock_bus_pid=""
mock_pid=""
mock_name="mock"
mock_bus_services=""

mock_bus_ask() {  # method [argument]: a question to the bus itself, answered with its reply's values
  dbus-send --session --reply-timeout=2000 --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    "org.freedesktop.DBus.$1" ${2:+"string:$2"} 2>/dev/null
}

# The processes still connected to the bus (once the test has ended: the services it started).
mock_bus_clients() {
  local name
  for name in $(mock_bus_ask ListNames | tr -s ' []' '\n' | grep '^:'); do
    mock_bus_ask GetConnectionUnixProcessID "$name" | awk '{print $2}'
  done | sort -u
}

# Running, and not only waiting for the bus to collect its exit status.
mock_bus_alive() { [[ "$(ps -o stat= -p "$1" 2>/dev/null)" == [^Z]* ]]; }

mock_bus_end_services() {
  local pid tries pids=()
  [[ -n "$mock_bus_services" && -n "$mock_bus_pid" ]] || return 0
  for pid in $(mock_bus_clients); do
    [[ "$pid" == "$$" || "$pid" == "$mock_pid" ]] && continue
    kill "$pid" 2>/dev/null && pids+=("$pid")
  done
  for pid in "${pids[@]}"; do
    for ((tries = 40; tries > 0; tries--)); do mock_bus_alive "$pid" || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null
  done
}

mock_bus_cleanup() {
  local status=$? pid
  mock_bus_end_services
  for pid in "$mock_pid" "$mock_bus_pid"; do
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  if ((status != 0)) && [[ -s "$mock_bus_dir/mock.log" ]]; then
    echo "$mock_name output:" >&2
    sed 's/^/  | /' "$mock_bus_dir/mock.log" >&2
  fi
  rm -rf "$mock_bus_dir"
  exit "$status"
}
trap mock_bus_cleanup EXIT
trap 'exit 1' INT TERM HUP

mock_bus_wait_for() {  # seconds command...: polls every 50 ms
  local tries=$(($1 * 20))
  shift
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

mock_bus_run() {
  mock_name=$1
  local mock=$2
  shift 2
  cat >"$mock_bus_dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$mock_bus_dir</listen>
  <auth>EXTERNAL</auth>
  ${mock_bus_services:+<servicedir>$mock_bus_services</servicedir>}
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$mock_bus_dir/bus.conf" --nofork --nopidfile --print-address=1 \
    >"$mock_bus_dir/address" 2>"$mock_bus_dir/bus.log" &
  mock_bus_pid=$!
  mock_bus_wait_for 10 test -s "$mock_bus_dir/address" || { echo "FAIL: the private bus did not start" >&2; exit 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$mock_bus_dir/address")
  export DBUS_SESSION_BUS_ADDRESS
  if [[ -n "$mock" ]]; then
    "$mock_bus_python" "$mock" "$mock_bus_dir/ready" >"$mock_bus_dir/mock.log" 2>&1 &
    mock_pid=$!
    mock_bus_wait_for 10 test -s "$mock_bus_dir/ready" || { echo "FAIL: the $mock_name did not start" >&2; exit 1; }
  fi
  "$@"
}
