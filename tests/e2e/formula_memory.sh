#!/usr/bin/env bash
# The formula window and the memory list in the running program: F opens the formula window, a
# typed formula goes into the entry line with Enter; M opens the memory list, a digit selects a
# slot and numeric-pad "+" stores the entry there; Ctrl+digit takes the slot into the tape; S puts
# the number and its words on the clipboard. The formula is left in "TallyForm.txt".
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
e2e_start

# In the main window, key $1 opens the window titled $2; keys $3 are typed into it, and the
# window closes by them.
in_window() {
  e2e_keys "$1"
  e2e_wait_window_named "$2" 15 || e2e_abort "$1 opened no window \"$2\"; windows: $(e2e_describe_windows)"
  local window=$E2E_FOUND
  e2e_focus "$window"
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $3
  e2e_poll 15 e2e_window_closed "$window" || e2e_abort "\"$3\" did not close the window \"$2\""
  e2e_focus "$E2E_WINDOW"
}

in_window f "Введите (выберите) формулу и нажмите Enter" "2 asterisk p i asterisk 5 Return"
e2e_keys c
e2e_expect_clipboard 31.4159 "2*pi*5 from the formula window"

# Slot 3 takes the entry (31.4159); the result plus slot 3.
in_window m "Память" "3 KP_Add"
e2e_keys plus ctrl+3 c
e2e_expect_clipboard 62.8318 "Ctrl+3 adds the stored slot"

e2e_keys 2 1 s
e2e_poll 15 e2e_clipboard_is "21 руб. (Двадцать один рубль 00 копеек)" ||
  e2e_fail "S put [$E2E_CLIP] on the clipboard"

e2e_close "Подтверждение"
e2e_expect_file "$E2E_DIR/app/TallyForm.txt" "2*pi*5\r\n" "the formula kept in the history"
e2e_pass
