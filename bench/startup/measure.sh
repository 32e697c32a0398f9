#!/usr/bin/env bash
# Start-up to the first viewable main window and resident memory 2 s later, for tallyman and
# for a bare Qt Widgets window, alternating, under Xvfb with openbox. Each tallyman run starts
# with an empty settings folder of its own.
# Usage: bench/startup/measure.sh [path/to/tallyman] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=${1:-$root/build/ui/tallyman}
runs=${2:-7}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
xvfb_pid=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
g++ -O2 -std=c++17 -o "$work/wait_for_window" "$here/wait_for_window.cpp" -lX11
g++ -O2 -std=c++17 -fPIC -o "$work/bare_window" "$here/bare_window.cpp" $(pkg-config --cflags --libs Qt6Widgets)

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null && break; sleep 0.05; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null || { echo "openbox did not start" >&2; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"

# One run: prints "<ms> <rss kB>".
run() {
  local out pid rss
  out=$("$work/wait_for_window" "$@")
  pid=${out#* }
  sleep 2
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  sleep 0.2
  echo "${out% *} $rss"
}

stats() {  # min median max of the numbers on stdin
  sort -n | awk '{a[NR]=$1} END {printf "%s %s %s\n", a[1], a[int((NR+1)/2)], a[NR]}'
}

: >"$work/tallyman.txt"
: >"$work/bare.txt"
run "$work/bare_window" >/dev/null  # warm the caches once
for i in $(seq "$runs"); do
  home=$work/home$i
  mkdir -p "$home"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data run "$program" >>"$work/tallyman.txt"
  run "$work/bare_window" >>"$work/bare.txt"
done

read -r t_min t_med t_max < <(cut -d' ' -f1 "$work/tallyman.txt" | stats)
read -r b_min b_med b_max < <(cut -d' ' -f1 "$work/bare.txt" | stats)
read -r tr_min tr_med tr_max < <(cut -d' ' -f2 "$work/tallyman.txt" | stats)
read -r br_min br_med br_max < <(cut -d' ' -f2 "$work/bare.txt" | stats)
echo "start-up to a viewable window, ms (min median max over $runs runs)"
echo "  tallyman     $t_min $t_med $t_max"
echo "  bare window  $b_min $b_med $b_max"
awk -v t="$t_med" -v b="$b_med" 'BEGIN {printf "  ratio of medians %.2f (budget 1.5)\n", t / b}'
echo "resident memory 2 s after start, MB (min median max)"
awk -v a="$tr_min" -v b="$tr_med" -v c="$tr_max" 'BEGIN {printf "  tallyman     %.1f %.1f %.1f\n", a/1024, b/1024, c/1024}'
awk -v a="$br_min" -v b="$br_med" -v c="$br_max" 'BEGIN {printf "  bare window  %.1f %.1f %.1f\n", a/1024, b/1024, c/1024}'
