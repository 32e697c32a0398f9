#!/usr/bin/env bash
# Keys of the entry line in the running program, one calculation a row: signs replaced and
# dropped, decimal separators, F9, Ctrl+Del, refused letters, Ctrl+C / Ctrl+Insert, the numeric
# keypad; the 18-digit limit message; a click on the left sign display copies the result and
# shows the results window.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
e2e_start

# keys (C is pressed after them) | expected clipboard | what it shows
cases=(
  "5 plus equal|5|a pending sign with no operand is dropped"
  "1 0 plus plus 5 equal|15|a second sign only replaces the pending one"
  "1 0 plus minus 4 equal|6|the replaced sign is the one used"
  "1 plus 2 period 5 period 5 equal|3.55|a second separator in an operand is ignored"
  "1 period 5 period 3 equal|3|a second separator in the first number empties the entry"
  "period 5 plus comma 2 5 equal|0.75|a number may start with the separator; comma types it too"
  "5 F9 plus 3 equal|-2|F9 changes the sign of the number"
  "5 plus 3 ctrl+Delete 7 equal|7|Ctrl+Del clears the tape"
  "1 x 2 a equal|12|letters are refused"
  "3 plus 5 ctrl+c|8|Ctrl+C copies the result"
  "4 plus 5 ctrl+Insert|9|Ctrl+Insert copies the result"
  "2 asterisk 3 KP_Enter|6|keypad Enter closes"
  "KP_1 KP_2 KP_Add KP_5 KP_Enter|17|keypad digits and +"
  "KP_9 KP_Subtract KP_4 KP_Multiply KP_1 KP_Decimal KP_5 KP_Divide KP_3 KP_Enter|2.5|keypad - * . /"
  "4 0 plus 2 BackSpace 3 equal|43|Backspace edits the operand"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r keys want what <<<"$entry"
  # shellcheck disable=SC2086  # one key a word
  e2e_keys $keys c
  e2e_expect_clipboard "$want" "$what ($keys)"
done

# 10^18 or more is refused with "Limit = 18 digits!": the third factor stays the operand. Closing
# then refuses it again, once: the limit message and "Error!", each in its own box, and gives the
# product of the first two.
nines="9 9 9 9 9 9 9 9 9"
# shellcheck disable=SC2086
e2e_keys $nines asterisk $nines asterisk $nines asterisk
e2e_dismiss_message "a product of 27 digits"
e2e_keys equal
e2e_dismiss_messages
((E2E_MESSAGES == 2)) || e2e_fail "closing with an operand over the limit showed $E2E_MESSAGES messages, expected 2"
e2e_keys c
e2e_expect_clipboard 999999998000000001 "the product of the first two factors stays"

# A click on the left sign display copies the result and shows the results window.
e2e_keys 6 plus 6 equal
height=$(xwininfo -id "$E2E_WINDOW" | awk '/Height:/ {print $2}')
xdotool mousemove --window "$E2E_WINDOW" 12 $((height - 19)) click 1
e2e_expect_clipboard 12 "a click on the sign display"
e2e_wait_window_named "Результаты" 15 || e2e_fail "a click on the sign display did not show the results window"

e2e_close "Подтверждение"
e2e_pass
