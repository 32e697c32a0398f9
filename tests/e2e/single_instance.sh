#!/usr/bin/env bash
# One running copy (OnlyOne=1): a second start brings the running copy's window to the front and
# ends at once, touching no file; a copy killed outright leaves nothing in the way of the next
# start; SIGTERM and SIGINT close the program as a normal close does (exit 0, settings and
# "~Calc.txt" written, lock released).
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
# The SIGINT check needs SIGINT to reach the program: a runner may have started this script with
# it ignored, and the program keeps an ignored signal ignored.
if (($(printf '%d' "0x$(awk '/^SigIgn/ {print $2}' /proc/$$/status)") & 2)); then
  exec perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV or die' bash "$0" "$@"
fi
e2e_setup

app="$E2E_DIR/app"
runtime="$E2E_DIR/runtime"
printf '[SETS]\r\nOnlyOne=1\r\n' >"$app/tallyman.ini"
# The program's own files in the runtime folder; others (a session bus's) may live there too.
lock="$runtime/tallyman-$(id -u).lock"
socket="$runtime/tallyman-$(id -u).socket"

# Name, size and modification time of every file in the program folder.
folder_state() { find "$app" -type f -printf '%P %s %T@\n' | sort; }

# How many copies of the program run now.
copies() {
  local exe count=0
  for exe in /proc/[0-9]*/exe; do
    [[ "$(readlink "$exe" 2>/dev/null)" == "$app/tallyman" ]] && count=$((count + 1))
  done
  echo "$count"
}

settings_value() { e2e_settings | sed -n "s/^$1=//p"; }

# Moves the main window to x=$1, sends signal $2, expects exit 0 with the tape $3 in "~Calc.txt";
# prints the Left value the settings file got.
end_with_signal() {
  local x=$1 signal=$2 tape=$3 status
  xdotool windowmove "$E2E_WINDOW" "$x" 120
  e2e_poll 15 moved_to "$x" || e2e_fail "openbox did not move the window to x=$x"
  kill "-$signal" "$E2E_PID"
  e2e_poll 10 e2e_program_exited || e2e_abort "the program still runs 10 s after SIG$signal"
  wait "$E2E_PID"
  status=$?
  E2E_PID=""
  ((status == 0)) || e2e_fail "after SIG$signal the program exited with status $status"
  e2e_expect_file "$app/~Calc.txt" "$tape" "the tape typed before SIG$signal"
  [[ ! -e "$lock" && ! -e "$socket" ]] || e2e_fail "SIG$signal left the lock or the socket behind: $(ls -A "$runtime")"
}
moved_to() {
  local x
  x=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X/ {print $4}')
  ((x >= $1 && x < $1 + 40))
}

e2e_start
first_window=$E2E_WINDOW
[[ -f "$lock" && -S "$socket" ]] || e2e_abort "the first copy took no lock or socket in \$XDG_RUNTIME_DIR: $(ls -A "$runtime")"

# Another program has the focus when the second copy starts.
xterm -geometry 40x10+400+300 >/dev/null 2>&1 &
xterm_pid=$!
xterm_window() { xterm_id=$(xdotool search --onlyvisible --pid "$xterm_pid" 2>/dev/null | head -n 1) && [[ -n "$xterm_id" ]]; }
e2e_poll 10 xterm_window || e2e_abort "xterm showed no window"
e2e_focus "$xterm_id"

before=$(folder_state)
cp "$app/tallyman.ini" "$E2E_DIR/settings-before"
(cd "$app" && exec ./tallyman) >>"$E2E_DIR/program.log" 2>&1 &
second=$!
e2e_poll 15 harness_gone "$second" || e2e_abort "the second copy still runs after 5 s"
wait "$second"
status=$?
((status == 0)) || e2e_fail "the second copy exited with status $status"
e2e_poll 15 e2e_is_active "$first_window" ||
  e2e_fail "the first copy's window did not become active (active: $(xdotool getactivewindow 2>/dev/null))"
cmp -s "$app/tallyman.ini" "$E2E_DIR/settings-before" || e2e_fail "the second copy changed the settings file"
[[ "$(folder_state)" == "$before" ]] || e2e_fail "the second copy touched the program folder: $(folder_state)"
[[ "$(copies)" == 1 ]] || e2e_fail "$(copies) copies run, expected one"
harness_stop "$xterm_pid"

# Killed outright, the copy leaves its lock behind; the next start takes it over.
kill -9 "$E2E_PID"
{ wait "$E2E_PID"; } 2>/dev/null
E2E_PID=""
[[ -f "$lock" ]] || e2e_fail "kill -9 left no stale lock to take over"
e2e_start
e2e_keys 1 2 plus 5 equal
end_with_signal 200 TERM '\t=12\r\n+5\t=17\r\n'
left_after_term=$(settings_value Left)

e2e_start
e2e_keys 6 asterisk 7 equal
end_with_signal 320 INT '\t=6\r\n*7\t=42\r\n'
left_after_int=$(settings_value Left)
((left_after_int - left_after_term == 120)) ||
  e2e_fail "the settings file did not follow the window: Left=$left_after_term after SIGTERM, $left_after_int after SIGINT"

# A lock file that no running copy holds, empty or damaged, is stale: the next start takes it
# over, and the copy that took it turns later starts away as before.
second_copy_turned_away() {
  (cd "$app" && exec ./tallyman) >>"$E2E_DIR/program.log" 2>&1 &
  local second=$!
  e2e_poll 15 harness_gone "$second" || e2e_abort "a second copy still runs after 5 s ($1)"
  wait "$second" || e2e_fail "a second copy exited with status $? ($1)"
  [[ "$(copies)" == 1 ]] || e2e_fail "$(copies) copies run, expected one ($1)"
  # Asked while active, the running copy went away as at its hot key: bring it back.
  e2e_focus "$E2E_WINDOW"
}
: >"$lock"
e2e_start
[[ -S "$socket" ]] || e2e_fail "the start that took over an empty lock does not listen"
second_copy_turned_away "after taking over an empty lock"
e2e_keys 2 plus 3 equal
end_with_signal 200 TERM '\t=2\r\n+3\t=5\r\n'

head -c 200 /dev/urandom >"$lock"
e2e_start
second_copy_turned_away "after taking over a lock of random bytes"

# A signal while the notebook is inside its own close, showing that its text could not be
# written (a folder stands where the file goes): the message is dismissed and the program ends
# as at any other signal, the folder untouched.
e2e_keys 4 plus 4 equal n
e2e_wait_window_named "Блокнот" 15 || e2e_abort "N opened no notebook; windows: $(e2e_describe_windows)"
note=$E2E_FOUND
e2e_focus "$note"
xdotool type --delay 50 kept
mkdir "$app/TallyNote.txt"
e2e_keys alt+F4  # the window manager's close, as the close box gives it
e2e_wait_window_named "Calculator" 15 || e2e_abort "closing the notebook showed no message; windows: $(e2e_describe_windows)"
end_with_signal 120 TERM '\t=4\r\n+4\t=8\r\n'
[[ -d "$app/TallyNote.txt" ]] || e2e_fail "the folder in the notebook file's place was replaced"
rmdir "$app/TallyNote.txt"

# A signal while the notebook, closing, asks whether to keep the edit of a file dropped on it:
# the question counts as Yes, the edit is written.
dropped="$E2E_DIR/dropped.txt"
printf 'old\r\n' >"$dropped"
e2e_start
e2e_keys 9 plus 1 equal n
e2e_wait_window_named "Блокнот" 15 || e2e_abort "N opened no notebook; windows: $(e2e_describe_windows)"
note=$E2E_FOUND
e2e_focus "$note"
read -r note_x note_y note_w note_h < <(xwininfo -id "$note" |
  awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
       END {print x, y, w, h}')
python3 "${BASH_SOURCE[0]%/*}/xdnd_drop.py" "$note" $((note_x + note_w / 2)) $((note_y + note_h / 2)) "$dropped" ||
  e2e_abort "the notebook did not take the dropped file"
e2e_poll 15 e2e_has_window_named "$dropped" || e2e_abort "the notebook did not open the dropped file"
e2e_focus "$note"
xdotool type --delay 50 new
e2e_keys alt+F4
e2e_wait_window_named "Подтверждение" 15 || e2e_abort "closing the notebook asked nothing; windows: $(e2e_describe_windows)"
end_with_signal 80 TERM '\t=9\r\n+1\t=10\r\n'
[[ "$(head -c 6 "$dropped")" == newold ]] || e2e_fail "the dropped file's edit was not written: [$(head -c 40 "$dropped")]"
e2e_pass
