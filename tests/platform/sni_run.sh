#!/usr/bin/env bash
# Runs a test program on a private session bus with the mock tray (sni_watcher.py) on it, or with
# nothing on it for --no-watcher. The bus has no service directories, so nothing on the machine is
# started by it. Everything started here is ended on exit. Skips (77) without dbus-daemon or
# Python's dbus and gi modules.
# Usage: sni_run.sh [--no-watcher] <test program> [its arguments]
set -u
here=$(dirname "${BASH_SOURCE[0]}")
watcher=yes
if [[ "${1:-}" == --no-watcher ]]; then
  watcher=no
  shift
fi

python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import dbus, gi' 2>/dev/null; then
    python=$candidate
    break
  fi
done
if [[ -z "$python" ]] || ! command -v dbus-daemon >/dev/null; then
  echo "SKIP: dbus-daemon, python3-dbus or python3-gi is missing (scripts/deps.sh test installs them)"
  exit 77
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-sni.XXXXXX") || exit 1
bus_pid=""
mock_pid=""
cleanup() {
  local status=$? pid
  for pid in "$mock_pid" "$bus_pid"; do
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  if ((status != 0)) && [[ -s "$dir/mock.log" ]]; then
    echo "mock tray output:" >&2
    sed 's/^/  | /' "$dir/mock.log" >&2
  fi
  rm -rf "$dir"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

wait_for() {  # seconds command...: polls every 50 ms
  local tries=$(($1 * 20))
  shift
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

dbus-daemon --config-file="$dir/bus.conf" --nofork --nopidfile --print-address=1 >"$dir/address" 2>"$dir/bus.log" &
bus_pid=$!
wait_for 10 test -s "$dir/address" || { echo "FAIL: the private bus did not start" >&2; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$dir/address")
export DBUS_SESSION_BUS_ADDRESS

if [[ $watcher == yes ]]; then
  "$python" "$here/sni_watcher.py" "$dir/ready" >"$dir/mock.log" 2>&1 &
  mock_pid=$!
  wait_for 10 test -s "$dir/ready" || { echo "FAIL: the mock tray did not start" >&2; exit 1; }
fi

"$@"
