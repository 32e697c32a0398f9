#!/usr/bin/env bash
# Pasting from another program's clipboard (Ctrl+V, Shift+Insert) and the locale's separators:
# a pasted number is cleaned of grouping and blanks, a non-number is refused with a message, and
# under a Russian locale results use the decimal comma while "." and "," both type it.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

# English number format: "." decimal, "," grouping.
e2e_start
e2e_set_clipboard " 1,234.5 "
e2e_keys ctrl+v plus 0 period 5 equal c
e2e_expect_clipboard 1235 "pasted \" 1,234.5 \" + 0.5 ="

e2e_set_clipboard "12 apples"
e2e_keys ctrl+v
e2e_dismiss_message "pasting \"12 apples\""
e2e_keys c
e2e_expect_clipboard 1235 "a refused paste leaves the result alone"

# Pasting after "=" starts a new tape; Shift+Insert pastes as well.
e2e_set_clipboard "7"
e2e_keys shift+Insert asterisk 3 equal c
e2e_expect_clipboard 21 "7 pasted with Shift+Insert after a result, * 3 ="

# After a sign the entry still shows the previous number: a pasted number replaces it and is the
# operand, as a typed one would be.
e2e_set_clipboard "4"
e2e_keys plus ctrl+v equal c
e2e_expect_clipboard 25 "21 +, paste 4, ="
e2e_close "Подтверждение"

# Russian number format: "," decimal, a non-breaking space groups thousands.
# shellcheck disable=SC2034  # read by e2e_start
E2E_PROGRAM_LOCALE=ru_RU.UTF-8
e2e_start
e2e_keys 1 comma 5 plus 2 period 5 equal c
e2e_expect_clipboard 4 "1,5 + 2.5 = under a Russian locale"
e2e_keys 1 0 slash 4 equal c
e2e_expect_clipboard "2,5" "10 / 4 = shows the decimal comma"
e2e_set_clipboard $'1\u00a0234,5'
e2e_keys ctrl+v plus 1 equal c
e2e_expect_clipboard "1235,5" "pasted 1 234,5 (non-breaking space) + 1 ="
e2e_set_clipboard "2 000.25"
e2e_keys ctrl+v minus 1 equal c
e2e_expect_clipboard "1999,25" "pasted \"2 000.25\" - 1 = (the point reads as the decimal comma)"
e2e_close "Подтверждение"
e2e_pass
