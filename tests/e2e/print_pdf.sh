#!/usr/bin/env bash
# Printing in the running program on a machine without printers: Ctrl+P offers the PDF file, the
# title typed in the print dialog heads the page and is kept in the settings, and the PDF holds the
# tape and the bold total line.
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

e2e_close "Подтверждение"
e2e_settings | grep -qx "PrnTitle=Budget" || e2e_fail "the print title was not kept: $(e2e_settings | grep PrnTitle)"
e2e_pass
