# shellcheck shell=bash
# Shared helpers for the end-to-end scripts.
# A private virtual X server with openbox, a private home (tests/harness/lib.sh), and a portable
# copy of the program in a fresh folder, so its settings and text files land there. Every wait is
# bounded; everything started is ended on exit (harness_at_exit adds a script's own clean-up).
#
# Usage in a script:  source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
#                     e2e_setup; e2e_start; e2e_keys ...; e2e_expect_clipboard ...; e2e_pass
# Its clean-up is checked by harness_cleanup.sh.

E2E_SOURCE_PROGRAM=${1:-}
E2E_DIR=""           # temporary folder of this run (the harness's)
E2E_PID=""           # the running program
E2E_WINDOW=""        # its main window
E2E_XCLIP_PIDS=()    # clipboard owners started by e2e_set_clipboard
E2E_PROGRAM_LOCALE=C.UTF-8  # the program's locale: its decimal and thousands separators
E2E_FAILED=0
# shellcheck source=tests/harness/lib.sh
source "${BASH_SOURCE[0]%/*}/../harness/lib.sh"

e2e_log() { echo "e2e: $*" >&2; }

e2e_fail() {
  echo "FAIL: $*" >&2
  E2E_FAILED=1
}

# A check that later steps depend on: stop here.
e2e_abort() {
  e2e_fail "$*"
  exit 1
}

e2e_pass() {
  exit $((E2E_FAILED != 0))
}

e2e_poll() { wait_until "$@"; }

e2e_require_tools() {
  harness_require Xvfb openbox xdotool xclip xprop xwininfo setxkbmap
  if [[ -z "$E2E_SOURCE_PROGRAM" || ! -x "$E2E_SOURCE_PROGRAM" ]]; then
    echo "usage: $0 <path of tallyman>" >&2
    exit 2
  fi
}

e2e_end_program() {
  local pid
  for pid in "${E2E_XCLIP_PIDS[@]}" "$E2E_PID"; do harness_stop "$pid"; done
}

e2e_setup() {
  e2e_require_tools
  harness_begin e2e
  E2E_DIR=$HARNESS_DIR
  mkdir -p "$E2E_DIR/app"
  harness_private_home
  export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
  cp "$E2E_SOURCE_PROGRAM" "$E2E_DIR/app/tallyman" || e2e_abort "cannot copy the program"
  harness_start_x
  harness_start_wm
  harness_at_exit e2e_end_program
}

# The visible windows of the running program, one id a line.
e2e_windows() { xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null; }

e2e_find_main_window() {
  E2E_WINDOW=$(e2e_windows | head -n 1)
  [[ -n "$E2E_WINDOW" ]]
}

# Starts the portable copy (from its own folder) and waits for its window, then focuses it.
e2e_start() {
  # Qt takes the locale from these names even when the C library has not generated it.
  (cd "$E2E_DIR/app" && exec env LC_ALL="$E2E_PROGRAM_LOCALE" LANG="$E2E_PROGRAM_LOCALE" ./tallyman) \
    >>"$E2E_DIR/program.log" 2>&1 &
  E2E_PID=$!
  E2E_WINDOW=""
  # A first start after installing fonts can take several seconds (fontconfig builds its cache).
  e2e_poll 30 e2e_find_main_window || e2e_abort "the program showed no window"
  e2e_focus "$E2E_WINDOW"
}

e2e_is_active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }

e2e_focus() {
  local window=$1
  timeout 5 xdotool windowactivate "$window" >/dev/null 2>&1
  e2e_poll 15 e2e_is_active "$window" ||
    e2e_abort "window $window did not become active; windows: $(e2e_describe_windows)"
}

# Presses keys one by one (xdotool key names: 1 plus equal space Escape alt+e ...).
e2e_keys() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key" || e2e_abort "xdotool could not press $key"
    sleep 0.02
  done
}

# Switches the keyboard layout of the virtual display ("us" or "ru"). Keys outside the layout make
# xdotool remap a spare key code for a moment, and the program may read that key after the mapping
# is gone; with the layout switched the keys are real. Key names: Cyrillic_shorti, Cyrillic_es, ...
e2e_layout() {
  setxkbmap -layout "$1" || e2e_abort "setxkbmap could not switch to the layout $1"
}

# The id of a visible window of the program, other than the main window, whose title is exactly
# $1, polled for up to $2 s. (The main window is titled "Calculator" until its clock first ticks.)
E2E_FOUND=""
e2e_has_window_named() {
  local window
  for window in $(e2e_windows); do
    [[ "$window" == "$E2E_WINDOW" ]] && continue
    if [[ "$(xdotool getwindowname "$window" 2>/dev/null)" == "$1" ]]; then
      E2E_FOUND=$window
      return 0
    fi
  done
  return 1
}

e2e_wait_window_named() {
  E2E_FOUND=""
  e2e_poll "${2:-15}" e2e_has_window_named "$1"
}

e2e_window_closed() { ! e2e_windows | grep -qx "$1"; }

# Reads the clipboard while the program owns it.
e2e_clipboard() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }

E2E_CLIP=""
e2e_clipboard_is() {
  E2E_CLIP=$(e2e_clipboard)
  [[ "$E2E_CLIP" == "$1" ]]
}

# Puts $1 on the clipboard, owned by an xclip in the foreground until another client takes the
# selection (the program does when it copies); cleanup ends it otherwise.
e2e_set_clipboard() {
  printf '%s' "$1" | xclip -i -selection clipboard -quiet >/dev/null 2>&1 &
  E2E_XCLIP_PIDS+=("$!")
  e2e_poll 15 e2e_clipboard_is "$1" || e2e_abort "xclip could not take the clipboard"
}

# Checks that the clipboard comes to hold exactly $1 within a few seconds.
e2e_expect_clipboard() {
  if e2e_poll 15 e2e_clipboard_is "$1"; then return 0; fi
  e2e_fail "clipboard holds [$E2E_CLIP], expected [$1] ($2)"
  return 1
}

e2e_program_exited() { harness_gone "$E2E_PID"; }

# Closes the program with Escape (its default action) and answers the close question with Enter.
# $1: the question's expected title ("Подтверждение" in Russian, "Confirm" in English).
e2e_close() {
  local title=$1
  e2e_focus "$E2E_WINDOW"
  e2e_keys Escape
  if ! e2e_wait_window_named "$title" 15; then
    e2e_program_exited && e2e_abort "the program closed without asking \"$title\""
    e2e_abort "no close question titled \"$title\"; windows: $(e2e_describe_windows)"
  fi
  e2e_focus "$E2E_FOUND"
  e2e_keys Return
  e2e_poll 10 e2e_program_exited || e2e_abort "the program still runs after the close question was answered Yes"
  wait "$E2E_PID" 2>/dev/null
  local status=$?
  E2E_PID=""
  ((status == 0)) || e2e_fail "the program exited with status $status"
}

e2e_describe_windows() {
  local window
  for window in $(e2e_windows); do printf '%s "%s"; ' "$window" "$(xdotool getwindowname "$window" 2>/dev/null)"; done
}

# In window $1, keys $2 (one word each) open a file dialog titled $3; $4 is typed into it.
e2e_file_dialog() {
  local window=$1 keys=$2
  e2e_focus "$window"
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $keys
  e2e_fill_file_dialog "$3" "$4"
}

# Waits for the file dialog titled $1, types the full path $2 into it and accepts it with Enter.
e2e_fill_file_dialog() {
  local title=$1 path=$2
  e2e_wait_window_named "$title" 15 || e2e_abort "no dialog titled \"$title\" opened; windows: $(e2e_describe_windows)"
  local dialog=$E2E_FOUND
  e2e_focus "$dialog"
  xdotool type --delay 40 "$path"
  e2e_keys Return
  e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "the dialog \"$title\" did not accept $path"
}

# Dismisses with Enter every message box (titled "Calculator") that comes up, one after another,
# and counts them in E2E_MESSAGES; then focuses the main window again.
E2E_MESSAGES=0
e2e_dismiss_messages() {
  local wait=15 box
  E2E_MESSAGES=0
  while e2e_wait_window_named "Calculator" "$wait"; do
    box=$E2E_FOUND
    e2e_focus "$box"
    e2e_keys Return
    e2e_poll 15 e2e_window_closed "$box" || e2e_abort "Enter did not close the message"
    E2E_MESSAGES=$((E2E_MESSAGES + 1))
    wait=1
  done
  e2e_focus "$E2E_WINDOW"
}

# Expects exactly one message box, brought by $1.
e2e_dismiss_message() {
  e2e_dismiss_messages
  ((E2E_MESSAGES == 1)) || e2e_fail "$1 showed $E2E_MESSAGES messages, expected one"
}

# Checks that file $1 comes to hold exactly the bytes printf makes of $2 (it is written whole).
e2e_expect_file() {
  local file=$1 expected
  expected=$(mktemp "$E2E_DIR/expected.XXXXXX")
  # shellcheck disable=SC2059  # $2 is a printf format on purpose (\t, \r\n)
  printf "$2" >"$expected"
  # The program writes once its dialog has gone, which under load comes after the window closed.
  if ! wait_until 15 test -f "$file"; then
    e2e_fail "no file $file ($3)"
  elif ! cmp -s "$file" "$expected"; then
    e2e_fail "$file differs ($3): $(od -c "$file" | head -4)"
  fi
}

# The settings file of the portable copy, as UTF-8 without CR (it is kept in Windows-1251).
e2e_settings() {
  iconv -f CP1251 -t UTF-8 "$E2E_DIR/app/tallyman.ini" | tr -d '\r'
}
