#!/usr/bin/env bash
# Tape files through the real file dialogs: Ctrl+L loads and recomputes a tape, a broken file is
# refused with a message and leaves the tape alone, Ctrl+S writes the tape back as Windows-1251
# text with CR LF line ends. (The program takes no file on its command line, so a file given
# there is not tested; dropping a file needs a drag source, which xdotool cannot be.)
# shellcheck source=tests/e2e/lib.sh
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

load() { e2e_file_dialog "$E2E_WINDOW" ctrl+l "Загрузить вычисления из файла" "$tapes/$1"; }

e2e_start

load "first tape.txt"
e2e_keys c
e2e_expect_clipboard 34 "a loaded tape is recomputed: 12 + 5 * 2"
e2e_keys plus 1 equal c
e2e_expect_clipboard 35 "a loaded tape continues with + after it"

for broken in "not a tape.txt" "zero operand.txt"; do
  load "$broken"
  e2e_dismiss_message "loading \"$broken\""
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
e2e_wait_window_named "Загрузить вычисления из файла" 15 || e2e_abort "Ctrl+L opened no dialog"
dialog=$E2E_FOUND
e2e_focus "$dialog"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Escape did not cancel the load dialog"
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 16 "a cancelled load keeps the tape"

# Save a fresh tape and compare the bytes.
e2e_keys 2 0 0 slash 8 equal
e2e_file_dialog "$E2E_WINDOW" ctrl+s "Запись вычислений в файл" "$tapes/saved.txt"
e2e_expect_file "$tapes/saved.txt" '\t=200\r\n/8\t=25\r\n' "a saved tape"

# The saved file loads back to the same result.
e2e_keys 1 equal
load "saved.txt"
e2e_keys c
e2e_expect_clipboard 25 "the saved tape loads back"

e2e_close "Подтверждение"
e2e_pass
