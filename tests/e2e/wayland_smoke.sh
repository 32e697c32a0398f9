#!/usr/bin/env bash
# The real program in a Wayland session: a private headless Weston, Qt's wayland platform, a
# portable copy in its own folder. It shows a top-level window (read from the compositor's scene
# graph), says nothing on stderr, and a SIGTERM ends it with status 0 and its settings written.
# Typing into it needs a keyboard the headless compositor lacks: tests/platform/wayland_window_test
# types "12+5=" into the main window on the same platform. Skips (77) without weston.
set -u
program=${1:-}
# shellcheck source=tests/platform/weston_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../platform/weston_session.sh"
if ! weston_available; then
  echo "SKIP: weston is not installed (scripts/deps.sh test installs it)"
  exit 77
fi
if [[ -z "$program" || ! -x "$program" ]]; then
  echo "usage: $0 <path of tallyman>" >&2
  exit 2
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-wayland-e2e.XXXXXX") || exit 1
pid=""
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}
cleanup() {
  local status=$?
  [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  weston_stop
  if ((status != 0)); then
    local log
    for log in program weston; do
      [[ -s "$dir/$log.log" ]] || continue
      echo "$log output:" >&2
      tail -n 40 "$dir/$log.log" | sed 's/^/  | /' >&2
    done
  fi
  rm -rf "$dir"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkdir -p "$dir/home" "$dir/config" "$dir/data" "$dir/cache" "$dir/app"
export HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" XDG_CACHE_HOME="$dir/cache"
export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=wayland
unset DISPLAY SESSION_MANAGER QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus"  # refuses: no bus is started and left behind
cp "$program" "$dir/app/tallyman" || exit 1
weston_start "$dir" || { echo "FAIL: weston did not start" >&2; exit 1; }

(cd "$dir/app" && exec ./tallyman) >"$dir/program.log" 2>&1 &
pid=$!
# A first start after installing fonts can take long while fontconfig builds its cache.
weston_poll 30 weston_has_window "$pid" || { echo "FAIL: the program showed no window" >&2; exit 1; }
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended after showing its window" >&2; exit 1; }
[[ ! -e "$dir/app/tallyman.ini" ]] || fail "the settings file was written before the program closed"

kill -TERM "$pid"
weston_poll 10 weston_gone "$pid" || { echo "FAIL: the program still runs 10 s after SIGTERM" >&2; exit 1; }
wait "$pid"
status=$?
pid=""
((status == 0)) || fail "the program exited with status $status after SIGTERM"
[[ -s "$dir/app/tallyman.ini" ]] || fail "no settings file beside the program after SIGTERM"
[[ -s "$dir/program.log" ]] && fail "the program wrote to stderr: $(head -c 300 "$dir/program.log")"
[[ ! -e "$XDG_CONFIG_HOME/tallyman" ]] || fail "a portable copy wrote into the user's config folder"
exit "$failed"
