#!/usr/bin/env bash
# Tape files through the real file dialogs: Ctrl+L loads and recomputes a tape, a broken file is
# refused with a message and leaves the tape alone, Ctrl+S writes the tape back as Windows-1251
# text with CR LF line ends. (The program takes no file on its command line, so a file given
# there is not tested; dropping a file needs a drag source, which xdotool cannot be.)
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
tapes="$E2E_DIR/tapes"
mkdir -p "$tapes"
# Stored running results are wrong on purpose: loading recomputes them from the operands.
printf '\t=12\r\n+5\t=99\r\n*2\t=0\r\n' >"$tapes/first tape.txt"
printf '\t=12\r\n+5\t=17\r\n*\r\n' >"$tapes/pending.txt"
printf '+5\t=15\r\n+1\t=0\r\n' >"$tapes/starts with an operation.txt"
printf '\t=12\r\n+0\t=12\r\n' >"$tapes/zero operand.txt"
printf 'hello\r\n' >"$tapes/not a tape.txt"

# Opens a file dialog with $1 (keys), expects the title $2 and types the full path $3 into it.
through_dialog() {
  local keys=$1 title=$2 path=$3
  e2e_focus "$E2E_WINDOW"
  e2e_keys "$keys"
  e2e_wait_window_named "$title" 5 || e2e_abort "$keys opened no dialog titled \"$title\"; windows: $(e2e_describe_windows)"
  local dialog=$E2E_FOUND
  e2e_focus "$dialog"
  xdotool type --delay 40 "$path"
  e2e_keys Return
  e2e_poll 5 e2e_window_closed "$dialog" || e2e_abort "the dialog \"$title\" did not accept $path"
}

load() { through_dialog ctrl+l "Загрузить вычисления из файла" "$tapes/$1"; }

# Dismisses the one message box (titled "Calculator") that a refused file must bring.
expect_message() {
  e2e_wait_window_named "Calculator" 5 || { e2e_fail "$1 showed no message"; return; }
  local box=$E2E_FOUND
  e2e_focus "$box"
  e2e_keys Return
  e2e_poll 5 e2e_window_closed "$box" || e2e_abort "Enter did not close the message"
  e2e_focus "$E2E_WINDOW"
}

e2e_start

load "first tape.txt"
e2e_keys c
e2e_expect_clipboard 34 "a loaded tape is recomputed: 12 + 5 * 2"
e2e_keys plus 1 equal c
e2e_expect_clipboard 35 "a loaded tape continues with + after it"

for broken in "not a tape.txt" "zero operand.txt"; do
  load "$broken"
  expect_message "loading \"$broken\""
  e2e_keys c
  e2e_expect_clipboard 35 "the tape is unchanged after \"$broken\" was refused"
done

load "pending.txt"
e2e_keys 3 equal c
e2e_expect_clipboard 51 "a tape ending in a pending sign waits for its operand"

load "starts with an operation.txt"
e2e_keys c
e2e_expect_clipboard 16 "a first row +5 =15 starts the tape at 15"

# Escape cancels the dialog and changes nothing.
e2e_keys ctrl+l
e2e_wait_window_named "Загрузить вычисления из файла" 5 || e2e_abort "Ctrl+L opened no dialog"
dialog=$E2E_FOUND
e2e_focus "$dialog"
e2e_keys Escape
e2e_poll 5 e2e_window_closed "$dialog" || e2e_abort "Escape did not cancel the load dialog"
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 16 "a cancelled load keeps the tape"

# Save a fresh tape and compare the bytes.
e2e_keys 2 0 0 slash 8 equal
through_dialog ctrl+s "Запись вычислений в файл" "$tapes/saved.txt"
printf '\t=200\r\n/8\t=25\r\n' >"$E2E_DIR/expected.txt"
if [[ ! -f "$tapes/saved.txt" ]]; then
  e2e_fail "Ctrl+S wrote no file"
elif ! cmp -s "$tapes/saved.txt" "$E2E_DIR/expected.txt"; then
  e2e_fail "the saved tape differs: $(od -c "$tapes/saved.txt" | head -3)"
fi

# The saved file loads back to the same result.
e2e_keys 1 equal
load "saved.txt"
e2e_keys c
e2e_expect_clipboard 25 "the saved tape loads back"

e2e_close "Подтверждение"
e2e_pass
