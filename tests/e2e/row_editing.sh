#!/usr/bin/env bash
# Row editing on the tape: F5 and Enter change the selected row's sign and operand through the
# row dialog, Insert adds a row before the selected one, Delete removes one; every change
# recomputes the later rows. A zero operand is refused by the dialog. The dialog reopens where it
# was left.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

# In the tape list, keys $1 open the row dialog titled $2; keys $3 are typed into it, then Enter.
row_dialog() {
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $1
  e2e_wait_window_named "$2" 15 || e2e_abort "$1 opened no dialog \"$2\"; windows: $(e2e_describe_windows)"
  local dialog=$E2E_FOUND
  e2e_focus "$dialog"
  # shellcheck disable=SC2086
  e2e_keys $3 Return
  e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Enter did not close the dialog \"$2\""
  e2e_focus "$E2E_WINDOW"
}

e2e_start
# Tape: 10, +5 = 15, +3 = 18. Tab moves from the entry line to the tape, its last row selected.
e2e_keys 1 0 plus 5 plus 3 equal Tab

# Edit row 2 (+5): the operand becomes 7 and "*" becomes its sign: 10, *7 = 70, +3 = 73.
row_dialog "Up F5" "Изменение:  стр. 2/3" "ctrl+a 7 asterisk"
e2e_keys c
e2e_expect_clipboard 73 "row 2 edited to *7"

# Insert before row 3 (+3): -2 gives 10, *7 = 70, -2 = 68, +3 = 71.
e2e_keys Tab
row_dialog "End Insert" "Вставка до:  стр. 3/3" "minus 2"
e2e_keys c
e2e_expect_clipboard 71 "-2 inserted before +3"

# Delete row 2 (*7): 10, -2 = 8, +3 = 11.
e2e_keys Tab Home Down Delete c
e2e_expect_clipboard 11 "row *7 deleted"

# Enter on the first row edits the start value: 20, -2 = 18, +3 = 21.
e2e_keys Tab
row_dialog "Home Return" "Изменение:  стр. 1/3" "ctrl+a 2 0"
e2e_keys c
e2e_expect_clipboard 21 "start value edited to 20"

# A zero operand is refused with a message; Escape then cancels the dialog and nothing changes.
e2e_keys Tab End F5
e2e_wait_window_named "Изменение:  стр. 3/3" 15 || e2e_abort "F5 opened no dialog; windows: $(e2e_describe_windows)"
dialog=$E2E_FOUND
e2e_focus "$dialog"
e2e_keys ctrl+a 0 Return
e2e_wait_window_named "Calculator" 15 || e2e_fail "a zero operand showed no message"
box=$E2E_FOUND
e2e_focus "$box"
e2e_keys Return
e2e_poll 15 e2e_window_closed "$box" || e2e_abort "Enter did not close the message"
e2e_focus "$dialog"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Escape did not cancel the row dialog"
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 21 "a refused zero and a cancelled dialog leave the tape alone"

# The row dialog reopens exactly where it was left, also after the user moved it.
dialog_place() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x "," y}'; }
open_row_dialog() {
  e2e_focus "$E2E_WINDOW"
  e2e_keys Tab End F5
  e2e_wait_window_named "Изменение:  стр. 3/3" 15 || e2e_abort "F5 opened no dialog; windows: $(e2e_describe_windows)"
  dialog=$E2E_FOUND
  e2e_focus "$dialog"
}
close_row_dialog() {
  e2e_keys Escape
  e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Escape did not cancel the row dialog"
}
open_row_dialog
first=$(dialog_place "$dialog")
close_row_dialog
open_row_dialog
[[ "$(dialog_place "$dialog")" == "$first" ]] || e2e_fail "the row dialog moved from $first to $(dialog_place "$dialog") when reopened"
xdotool windowmove "$dialog" 200 150
e2e_poll 2 test "$(dialog_place "$dialog")" != "$first"
moved=$(dialog_place "$dialog")
close_row_dialog
open_row_dialog
[[ "$(dialog_place "$dialog")" == "$moved" ]] || e2e_fail "the row dialog left at $moved reopened at $(dialog_place "$dialog")"
close_row_dialog

e2e_close "Подтверждение"
e2e_pass
