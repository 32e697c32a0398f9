#!/usr/bin/env bash
# The keyboard of the running program under a real X server: typed keys, the numeric keypad and
# the window's own keys reach the entry line, C / Ctrl+C / Ctrl+Insert put the result on the
# clipboard, the Russian layout types its separators, operations and copy key, a menu mnemonic
# opens the precision dialog, and Alt+F4 asks the close question. The arithmetic itself belongs
# to the engine's tests; every case here ends on a value other than the one before, so a key
# that does nothing shows.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
e2e_start

# keys | expected clipboard | what reaches the program
cases=(
  "1 2 plus 5 equal c|17|digits, + and =, C copies"
  "plus 3 3 Return c|50|Return closes like =; a repeated digit arrives twice"
  "9 0 minus 1 0 asterisk 3 slash 4 equal c|60|- * / typed"
  "period 5 plus comma 2 5 equal c|0.75|both decimal keys"
  "4 0 plus 2 BackSpace 3 equal c|43|Backspace"
  "5 F9 plus 3 equal c|-2|F9 changes the sign"
  "5 plus 3 ctrl+Delete 7 equal c|7|Ctrl+Del clears the tape"
  "2 0 0 q 1 5 space equal c|230|Q and space"
  "5 0 w 1 0 Prior equal c|45|W and PageUp"
  "6 0 r 2 e 1 5 percent equal c|4.5|R, E and %"
  "KP_1 KP_2 KP_Add KP_9 KP_Subtract KP_6 KP_Multiply KP_1 KP_Decimal KP_5 KP_Divide KP_3 KP_Enter c|7.5|the keypad"
  "3 plus 5 ctrl+c|8|Ctrl+C copies"
  "4 plus 5 ctrl+Insert|9|Ctrl+Insert copies"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r keys want what <<<"$entry"
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $keys
  e2e_expect_clipboard "$want" "$what ($keys)"
done

# Alt+F4 asks the same question as Escape; the answer No keeps the program and its tape. Pressed
# before any layout switch: the window manager takes its keys anew after one, and a key pressed
# meanwhile reaches the program instead.
e2e_keys alt+F4
e2e_wait_window_named "Подтверждение" 15 || e2e_abort "Alt+F4 asked no close question; windows: $(e2e_describe_windows)"
e2e_focus "$E2E_FOUND"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$E2E_FOUND" || e2e_abort "Escape did not answer the close question"
e2e_program_exited && e2e_abort "the program closed although the close question was answered No"
e2e_focus "$E2E_WINDOW"
e2e_keys plus 1 equal c
e2e_expect_clipboard 10 "the tape survives a close question answered No"

# On a Russian keyboard Б and Ю are the decimal separator, Й adds and С (the key of C) copies.
e2e_layout ru
e2e_keys 1 Cyrillic_be 5 Cyrillic_shorti 2 Cyrillic_yu 5 equal Cyrillic_es
e2e_layout us
e2e_expect_clipboard 4 "1б5 й 2ю5 = on a Russian keyboard"

# The precision dialog through the Russian menu (Alt+К, Т): the calculation decimals have the
# focus, Tab reaches the result decimals. Runs keys $1 in it and ends it with key $2.
precision() {
  e2e_layout ru
  e2e_keys alt+Cyrillic_ka Cyrillic_te
  e2e_layout us
  e2e_wait_window_named "Точность..." 15 || e2e_abort "no precision dialog; windows: $(e2e_describe_windows)"
  local dialog=$E2E_FOUND
  e2e_focus "$dialog"
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $1 "$2"
  e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "$2 did not close the precision dialog"
  e2e_focus "$E2E_WINDOW"
}
e2e_keys 1 0 slash 3 equal c
e2e_expect_clipboard 3.3333 "10 / 3 = with 4 decimals in the result"
precision "Tab Home Down Down" Return
e2e_keys c
e2e_expect_clipboard 3.33 "Return takes 2 decimals in the result"
precision "End Tab End" Escape
e2e_keys c
e2e_expect_clipboard 3.33 "Escape leaves the precision as it was"

[[ ! -e "$E2E_DIR/app/tallyman.ini" ]] || e2e_fail "the settings file was written before the program closed"
e2e_close "Подтверждение"
[[ -f "$E2E_DIR/app/tallyman.ini" ]] || e2e_fail "no settings file \"tallyman.ini\" beside the program after a clean close"
[[ ! -e "$XDG_CONFIG_HOME/tallyman" ]] || e2e_fail "a portable copy wrote into the user's config folder"
e2e_pass
