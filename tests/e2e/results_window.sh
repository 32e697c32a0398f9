#!/usr/bin/env bash
# The results window: F2 shows it with one entry per calculation, Ctrl+C in its total field copies
# the sum, F7 takes an entry's value into the entry line, F8 brings a calculation back (changing
# it rewrites that entry), Delete removes an entry, and Ctrl+S / "Save all" write the files.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
out="$E2E_DIR/out"
mkdir -p "$out"

# Copies the total from the results window ($res): the list has the focus, Tab reaches the total.
expect_total() {
  e2e_focus "$res"
  e2e_keys Home Tab ctrl+c shift+Tab
  e2e_expect_clipboard "$1" "$2"
}

e2e_start
e2e_keys 1 2 plus 5 equal 3 asterisk 4 equal 1 0 0 minus 1 equal
e2e_keys F2
e2e_wait_window_named "Результаты" 15 || e2e_abort "F2 showed no results window; windows: $(e2e_describe_windows)"
res=$E2E_FOUND
expect_total 128 "three calculations 17, 12 and 99"

e2e_file_dialog "$res" ctrl+s "Запись результатов в файл" "$out/results.txt"
e2e_expect_file "$out/results.txt" '12+5\t=17\r\n3*4\t=12\r\n100-1\t=99\r\n' "Ctrl+S in the results window"

# F7 on the first entry puts 17 into the entry line and brings the main window forward.
e2e_focus "$res"
e2e_keys Home F7
e2e_poll 15 e2e_is_active "$E2E_WINDOW" || e2e_fail "F7 did not bring the main window forward"
e2e_focus "$E2E_WINDOW"
e2e_keys plus 3 equal c
e2e_expect_clipboard 20 "17 taken with F7, + 3 ="
expect_total 148 "a fourth entry 17+3"

# F8 on the second entry brings 3*4 back; continuing it rewrites that entry instead of adding one.
e2e_keys Home Down F8
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 12 "F8 brought 3 * 4 back onto the tape"
e2e_keys plus 1 equal
expect_total 149 "3*4 +1 (described 12+1) replaced the entry 3*4"

# Delete removes the selected (last) entry and puts the calculation before it on the tape.
e2e_focus "$res"
e2e_keys End Delete
expect_total 129 "the entry 17+3 deleted"
e2e_focus "$E2E_WINDOW"
e2e_keys c
e2e_expect_clipboard 99 "after deleting the last entry, 100-1 is on the tape"

# "Save all" (File menu of the results window, typed on a Russian keyboard): entries with tapes.
e2e_focus "$res"
e2e_layout ru
e2e_keys alt+Cyrillic_ef Cyrillic_ha
e2e_layout us
e2e_fill_file_dialog "Запись результатов в файл" "$out/all.txt"
e2e_expect_file "$out/all.txt" '\r\n\t=12\r\n+5\t=17\r\n\r\n12+5\t=17\r\n\r\n'\
'\r\n\t=3\r\n*4\t=12\r\n+1\t=13\r\n\r\n12+1\t=13\r\n\r\n'\
'\r\n\t=100\r\n-1\t=99\r\n\r\n100-1\t=99\r\n\r\n' "Save all"

# Escape closes the results window; F2 in the main window brings it back.
e2e_focus "$res"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$res" || e2e_fail "Escape did not close the results window"
e2e_focus "$E2E_WINDOW"
e2e_keys F2
e2e_poll 15 e2e_has_window_named "Результаты" || e2e_fail "F2 did not show the results window again"

e2e_close "Подтверждение"
e2e_pass
