#!/usr/bin/env bash
# Percentage and the letter keys left of the top row: Q W E R act as + - * /, space, "%" and
# PageUp take a percentage, and the window closes with Alt+F4 after the close question.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
e2e_start

# key sequence | expected clipboard after C | what it shows
cases=(
  "2 0 0 q 1 5 space equal|230|200 q 15 space = adds 15 % of 200"
  "2 0 0 e 1 5 percent equal|30|200 e 15 % = multiplies by 15 %"
  "5 0 w 1 0 Prior equal|45|50 w 10 PageUp = subtracts 10 % of 50"
  "9 0 r 3 0 equal|3|90 r 30 = divides"
  "8 Q 2 E 3 W 1 R 2 equal|14.5|capital Q E W R work as well"
  "1 2 q 5 space Return|12.6|Enter after a percentage uses it as the operand"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r keys want what <<<"$entry"
  # shellcheck disable=SC2086  # the keys are separate words on purpose
  e2e_keys $keys c
  e2e_expect_clipboard "$want" "$what"
done

# Alt+F4 asks the same question as Escape; the answer No keeps the program and its tape.
e2e_keys alt+F4
e2e_wait_window_named "Подтверждение" 15 || e2e_abort "Alt+F4 asked no close question; windows: $(e2e_describe_windows)"
e2e_focus "$E2E_FOUND"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$E2E_FOUND" || e2e_abort "Escape did not answer the close question"
e2e_program_exited && e2e_abort "the program closed although the close question was answered No"
e2e_focus "$E2E_WINDOW"
e2e_keys plus 1 equal c
e2e_expect_clipboard 13.6 "the tape survives a close question answered No"

# On a Russian keyboard the same keys give Й Ц У К, Б and Ю are the decimal separator, and С
# (the key of C) copies the result.
e2e_layout ru
ru_cases=(
  "1 Cyrillic_be 5 Cyrillic_shorti 2 Cyrillic_yu 5 equal|4|1б5 й 2ю5 = adds with б and ю as separators"
  "8 Cyrillic_tse 2 Cyrillic_u 3 Cyrillic_ka 4 equal|4.5|8 ц 2 у 3 к 4 = subtracts, multiplies, divides"
  "5 0 Cyrillic_SHORTI 1 0 space equal|55|capital Й and a percentage"
)
for entry in "${ru_cases[@]}"; do
  IFS='|' read -r keys want what <<<"$entry"
  # shellcheck disable=SC2086
  e2e_keys $keys Cyrillic_es
  e2e_expect_clipboard "$want" "$what"
done
e2e_layout us

e2e_close "Подтверждение"
[[ -f "$E2E_DIR/app/tallyman.ini" ]] || e2e_fail "no settings file after closing"
e2e_pass
