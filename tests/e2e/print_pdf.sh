#!/usr/bin/env bash
# Printing in the running program on a machine without printers: Ctrl+P offers the PDF file, the
# title typed in the print dialog heads the page and is kept in the settings, and the PDF holds the
# tape and the bold total line. Printing from the results window leaves the focus there.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
command -v pdftotext >/dev/null || { echo "SKIP: pdftotext is not installed (scripts/deps.sh test installs it)"; exit 77; }
e2e_setup
pdf="$E2E_DIR/printed tape.pdf"

e2e_start
e2e_keys 1 2 plus 5 equal
e2e_focus "$E2E_WINDOW"
e2e_keys ctrl+p
e2e_wait_window_named "Печать вычислений" 15 || e2e_abort "Ctrl+P opened no print dialog; windows: $(e2e_describe_windows)"
e2e_focus "$E2E_FOUND"
xdotool type --delay 40 "Budget"
e2e_keys Return
e2e_fill_file_dialog "Печать в файл PDF" "$pdf"
e2e_poll 10 test -s "$pdf" || e2e_abort "no PDF file was written"
text=$(pdftotext -layout "$pdf" - | tr -s ' ')
grep -q "Budget 1/1" <<<"$text" || e2e_fail "the page has no header \"Budget 1/1\": $text"
grep -q "+5 = 17" <<<"$text" || e2e_fail "the page lacks the row +5 = 17: $text"
grep -q "В расчёте 2 значений ____________________ ИТОГО = 17" <<<"$text" || e2e_fail "no total line: $text"

# After printing from the results window its Escape closes it and does not ask to close the program.
e2e_focus "$E2E_WINDOW"
e2e_keys F2
e2e_wait_window_named "Результаты" 5 || e2e_abort "F2 showed no results window; windows: $(e2e_describe_windows)"
res=$E2E_FOUND
e2e_focus "$res"
e2e_keys ctrl+p
e2e_wait_window_named "Печать вычислений" 5 || e2e_abort "Ctrl+P in the results window opened no print dialog"
e2e_focus "$E2E_FOUND"
e2e_keys Return
e2e_fill_file_dialog "Печать в файл PDF" "$E2E_DIR/results.pdf"
e2e_poll 10 test -s "$E2E_DIR/results.pdf" || e2e_abort "the results window wrote no PDF file"
e2e_poll 5 e2e_is_active "$res" ||
  e2e_fail "after printing from the results window the active window is $(xdotool getactivewindow), not $res"
e2e_keys Escape
e2e_poll 5 e2e_window_closed "$res" || e2e_fail "Escape did not close the results window"
e2e_has_window_named "Подтверждение" && e2e_abort "Escape after printing from the results window asked to close the program"

e2e_close "Подтверждение"
e2e_settings | grep -qx "PrnTitle=Budget" || e2e_fail "the print title was not kept: $(e2e_settings | grep PrnTitle)"
e2e_pass
