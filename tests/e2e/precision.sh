#!/usr/bin/env bash
# The precision dialog (Commands menu, "Точность..."): the decimals of the calculation and of
# the result recompute the tape at once, Escape cancels, and both persist to the next start.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

# Opens the dialog through the Russian menu (Alt+К, Т), runs keys $1 in it (first the
# calculation decimals have the focus, Tab reaches the result decimals) and ends it with key $2.
precision() {
  e2e_focus "$E2E_WINDOW"
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

e2e_start
e2e_keys 1 0 slash 3 equal c
e2e_expect_clipboard 3.3333 "10 / 3 = with the default 8 and 4 decimals"

precision "Tab Home Down Down" Return
e2e_keys c
e2e_expect_clipboard 3.33 "2 decimals in the result"

precision "Home Down" Return
e2e_keys c
e2e_expect_clipboard 3.3 "1 decimal in the calculation: the tape is recomputed"

precision "End Tab End" Escape
e2e_keys c
e2e_expect_clipboard 3.3 "Escape cancels the dialog"

e2e_close "Подтверждение"
e2e_settings | grep -qx 'Digits=1' || e2e_fail "the settings file does not hold Digits=1"
e2e_settings | grep -qx 'ResOut=2' || e2e_fail "the settings file does not hold ResOut=2"

# The next start calculates with the stored precision: 2 / 3 runs as 0.7.
e2e_start
e2e_keys 2 slash 3 equal plus 1 equal c
e2e_expect_clipboard 1.7 "2 / 3 + 1 = with 1 decimal in the calculation"
e2e_close "Подтверждение"
e2e_pass
