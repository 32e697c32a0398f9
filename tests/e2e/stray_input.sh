#!/usr/bin/env bash
# Text that reaches the entry line other than by its keys goes through the same rules: Alt with a
# character types nothing, a middle click pastes the selection as a paste would. Enter in a
# dialog answers the focused button.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

# Owns the PRIMARY selection with $1, as text selected in another program would.
select_text() {
  printf '%s' "$1" | xclip -i -selection primary -quiet >/dev/null 2>&1 &
  E2E_XCLIP_PIDS+=("$!")
  selection_is() { [[ "$(timeout 2 xclip -o -selection primary 2>/dev/null)" == "$1" ]]; }
  e2e_poll 15 selection_is "$1" || e2e_abort "xclip could not take the primary selection"
}

# A middle click in the middle of the entry line, at the bottom of the main window.
middle_click_entry() {
  local width height
  eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
  width=$WIDTH
  height=$HEIGHT
  xdotool mousemove --window "$E2E_WINDOW" $((width / 2)) $((height - 18)) click 2
  sleep 0.2
}

e2e_start
# Alt with a digit after "=" does not join the result: * 2 = goes on from 17.
e2e_keys 1 2 plus 5 equal alt+5 c
e2e_expect_clipboard 17 "Alt+5 after 12+5="
e2e_keys asterisk 2 equal c
e2e_expect_clipboard 34 "* 2 = after the ignored Alt+5"
# Alt with a letter or a sign (no menu of the Russian menus on these keys) keeps the entry.
e2e_keys 1 2 3 alt+a alt+plus alt+f c
e2e_expect_clipboard 123 "Alt+A, Alt+plus, Alt+F after 123"

# A middle click pastes the selected number by the paste rules: after "=" a new calculation.
e2e_keys 1 2 plus 5 equal
select_text "99"
middle_click_entry
e2e_keys asterisk 2 equal c
e2e_expect_clipboard 198 "99 pasted with a middle click after 12+5=, * 2 ="
# Selected text that is no number is passed over.
e2e_keys 7 7
select_text "garbage"
middle_click_entry
e2e_keys c
e2e_expect_clipboard 77 "a middle click with \"garbage\" selected"

# Enter answers the focused button: Tab to "Отменить" in the row dialog cancels the change.
e2e_keys ctrl+Delete 1 0 plus 5 equal Tab F5
e2e_wait_window_named "Изменение:  стр. 2/2" 15 || e2e_abort "F5 opened no row dialog; windows: $(e2e_describe_windows)"
dialog=$E2E_FOUND
e2e_focus "$dialog"
e2e_keys ctrl+a 7 Tab Tab Return
e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Enter on the focused Cancel did not close the row dialog"
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 15 "Enter on the focused Cancel leaves the row alone"

# Tab to "Нет" in the close question keeps the program running.
e2e_keys Escape
e2e_wait_window_named "Подтверждение" 15 || e2e_abort "Escape asked no close question"
question=$E2E_FOUND
e2e_focus "$question"
e2e_keys Tab Return
e2e_poll 15 e2e_window_closed "$question" || e2e_abort "Enter on the focused No did not answer the question"
e2e_program_exited && e2e_abort "Enter on the focused No closed the program"

e2e_close "Подтверждение"
e2e_pass
