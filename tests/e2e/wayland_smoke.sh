#!/usr/bin/env bash
# The real program in a Wayland session: a private headless Weston, Qt's wayland platform, a
# portable copy in its own folder. It shows a top-level window (read from the compositor's scene
# graph), says nothing on stderr, and a SIGTERM ends it with status 0 and its settings written.
# Typing into it needs a keyboard the headless compositor lacks: tests/ui/sni_tray_test types
# "12+5=" into the main window on the same platform. Skips (77) without weston.
set -u
program=${1:-}
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=tests/harness/lib.sh
source "$here/../harness/lib.sh"
# shellcheck source=tests/harness/weston.sh
source "$here/../harness/weston.sh"
harness_require weston weston-debug
if [[ -z "$program" || ! -x "$program" ]]; then
  echo "usage: $0 <path of tallyman>" >&2
  exit 2
fi

harness_begin wayland-e2e
dir=$HARNESS_DIR
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}
harness_private_home
export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=wayland
unset DISPLAY
mkdir -p "$dir/app"
cp "$program" "$dir/app/tallyman" || exit 1
harness_start_weston

(cd "$dir/app" && exec ./tallyman) >"$dir/program.log" 2>&1 &
pid=$!
harness_at_exit 'harness_stop "$pid"'
# A first start after installing fonts can take long while fontconfig builds its cache.
wait_until 30 weston_has_window "$pid" || { echo "FAIL: the program showed no window" >&2; exit 1; }
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended after showing its window" >&2; exit 1; }
[[ ! -e "$dir/app/tallyman.ini" ]] || fail "the settings file was written before the program closed"

kill -TERM "$pid"
wait_until 10 harness_gone "$pid" || { echo "FAIL: the program still runs 10 s after SIGTERM" >&2; exit 1; }
wait "$pid"
status=$?
((status == 0)) || fail "the program exited with status $status after SIGTERM"
[[ -s "$dir/app/tallyman.ini" ]] || fail "no settings file beside the program after SIGTERM"
[[ -s "$dir/program.log" ]] && fail "the program wrote to stderr: $(head -c 300 "$dir/program.log")"
[[ ! -e "$XDG_CONFIG_HOME/tallyman" ]] || fail "a portable copy wrote into the user's config folder"
exit "$failed"
