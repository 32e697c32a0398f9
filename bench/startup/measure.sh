#!/usr/bin/env bash
# Start-up of tallyman against a bare Qt Widgets window, alternating, under Xvfb with openbox, a
# tray (trayer) and a session bus, with "Only one instance" on: the time to the first viewable
# main window, the CPU time the process used until two seconds later, and its resident memory
# then. Each tallyman run starts from a settings file of its own holding only that option. A
# second yardstick, the bare window with a label and an entry line, pays for the fonts as any
# window showing text does.
# Usage: bench/startup/measure.sh [path/to/tallyman] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=${1:-$root/build/ui/tallyman}
runs=${2:-11}
work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
# shellcheck source=tests/harness/lib.sh
source "$root/tests/harness/lib.sh"
harness_at_exit cleanup

[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
command -v trayer >/dev/null || { echo "trayer is needed for the tray" >&2; exit 2; }
g++ -O2 -std=c++17 -o "$work/wait_for_window" "$here/wait_for_window.cpp" -lX11
g++ -O2 -std=c++17 -fPIC -o "$work/bare_window" "$here/bare_window.cpp" $(pkg-config --cflags --libs Qt6Widgets)
g++ -O2 -std=c++17 -fPIC -o "$work/text_window" "$here/text_window.cpp" $(pkg-config --cflags --libs Qt6Widgets)
# A copy beside its own settings file: the program keeps them beside itself in a writable folder.
mkdir "$work/program"
cp "$program" "$work/program/tallyman"

harness_begin bench
# A home of its own and a session bus as every desktop has: without one, each program would start
# a bus through dbus-launch (where dbus-x11 is installed), and with the caller's it would meet
# whatever that desktop offers.
harness_private_home
harness_start_bus
harness_start_x
harness_start_wm
trayer >/dev/null 2>&1 &
pids+=($!)
wait_until 5 eval 'xdotool search --classname trayer >/dev/null 2>&1' || true
sleep 0.3  # the tray selection is taken right after the window appears

stats() {  # min median max of the numbers on stdin
  sort -n | awk '{a[NR]=$1} END {printf "%s %s %s\n", a[1], a[int((NR+1)/2)], a[NR]}'
}

: >"$work/tallyman.txt"
: >"$work/bare.txt"
: >"$work/text.txt"
"$work/wait_for_window" "$work/bare_window" >/dev/null  # warm the caches once
for i in $(seq "$runs"); do
  printf '[SETS]\r\nOnlyOne=1\r\n' >"$work/program/tallyman.ini"
  "$work/wait_for_window" "$work/program/tallyman" >>"$work/tallyman.txt"
  "$work/wait_for_window" "$work/bare_window" >>"$work/bare.txt"
  "$work/wait_for_window" "$work/text_window" >>"$work/text.txt"
done

column() { cut -d' ' -f"$1" "$2" | stats; }

# One figure for the three programs: min, median and max of a column of their files, divided by
# `scale`, then (when `goal` is given) tallyman's median against the others'.
report() {  # column title scale [goal]
  local name label min med max
  local -A median
  echo "$2"
  for name in tallyman bare text; do
    case $name in tallyman) label="tallyman    " ;; bare) label="bare window " ;; text) label="with text   " ;; esac
    read -r min med max < <(column "$1" "$work/$name.txt")
    median[$name]=$med
    awk -v l="$label" -v s="$3" -v a="$min" -v b="$med" -v c="$max" \
      'BEGIN {if (s == 1) printf "  %s %s %s %s\n", l, a, b, c; else printf "  %s %.1f %.1f %.1f\n", l, a/s, b/s, c/s}'
  done
  [[ -z "${4:-}" ]] && return
  awk -v t="${median[tallyman]}" -v b="${median[bare]}" -v g="$4" 'BEGIN {printf "  ratio of medians %.2f (goal %s)\n", t / b, g}'
  awk -v t="${median[tallyman]}" -v b="${median[text]}" 'BEGIN {printf "  ratio to the window with text %.2f\n", t / b}'
}

report 1 "time to a viewable window, ms (min median max over $runs interleaved runs)" 1 1.0
report 2 "CPU time to 2 s after start, ms (min median max)" 1 1.0
report 3 "resident memory 2 s after start, MB (min median max; goal 35)" 1024
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
