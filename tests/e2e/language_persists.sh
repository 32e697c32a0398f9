#!/usr/bin/env bash
# Settings persist: the menu bar's "&Eng" (Alt+E) switches to English, closing stores Lang=1 and
# the window's place, and the next start speaks English in the same place. Dialog titles and
# menu mnemonics show the language: the close question is "Подтверждение" or "Confirm".
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

# Answers the close question of the running program with No (Escape) and checks it keeps running.
refuse_close() {
  e2e_focus "$E2E_WINDOW"
  e2e_keys Escape
  e2e_wait_window_named "$1" 15 || e2e_abort "no close question titled \"$1\"; windows: $(e2e_describe_windows)"
  e2e_focus "$E2E_FOUND"
  e2e_keys Escape
  e2e_poll 15 e2e_window_closed "$E2E_FOUND" || e2e_abort "Escape did not answer the close question"
  e2e_program_exited && e2e_abort "the program closed although the close question was answered No"
  e2e_focus "$E2E_WINDOW"
}

# An open menu is an override-redirect window (Qt does not always mark its type as a menu).
e2e_menu_open() {
  local window
  for window in $(e2e_windows); do
    xwininfo -id "$window" 2>/dev/null | grep -q 'Override Redirect State: yes' && return 0
  done
  return 1
}

# The menu captions carry the mnemonics: $1 opens the File menu, $2 its Load item, whose dialog
# must be titled $3, typed in the layout $4. Escape cancels the dialog.
load_through_menu() {
  e2e_focus "$E2E_WINDOW"
  e2e_layout "$4"
  e2e_keys "$1"
  e2e_poll 3 e2e_menu_open || e2e_abort "$1 opened no menu: the menu bar's File caption is not the expected one"
  e2e_keys "$2"
  e2e_wait_window_named "$3" 15 || e2e_abort "$1 $2 opened no dialog \"$3\"; windows: $(e2e_describe_windows)"
  local dialog=$E2E_FOUND
  e2e_focus "$dialog"
  e2e_keys Escape
  e2e_poll 15 e2e_window_closed "$dialog" || e2e_abort "Escape did not cancel the load dialog"
  e2e_layout us
  e2e_focus "$E2E_WINDOW"
}

# Position and size of the main window's client area: "x y width height".
geometry() {
  xwininfo -id "$E2E_WINDOW" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
         END {print x, y, w, h}'
}
e2e_moved_to() { [[ "$(geometry)" == "$1" ]]; }

# First run: Russian by default ("&Файл", "&Загрузка..."); switch to English.
e2e_start
refuse_close "Подтверждение"
load_through_menu alt+Cyrillic_ef Cyrillic_ze "Загрузить вычисления из файла" ru
e2e_keys alt+e
refuse_close "Confirm"
load_through_menu alt+f l "Load calculations from file" us
# The switch does not disturb the calculator.
e2e_keys 6 asterisk 7 equal c
e2e_expect_clipboard 42 "6 * 7 = after the language switch"
# The window's place and size are stored as well.
before=$(geometry)
moved() { local now; now=$(geometry); [[ "$now" != "$before" && "$now" == *" 300 180" ]]; }
xdotool windowmove "$E2E_WINDOW" 100 150 windowsize "$E2E_WINDOW" 300 180
e2e_poll 15 moved || e2e_fail "openbox did not move and resize the window: $(geometry)"
placed=$(geometry)
e2e_close "Confirm"
e2e_settings | grep -qx 'Lang=1' || e2e_abort "closing in English did not store Lang=1 in tallyman.ini"

# Second run: English from the start, in the same place. A zero operand shows the error message
# (titled "Calculator" in both languages), Enter dismisses it and the result stays 10.
e2e_start
e2e_poll 3 e2e_moved_to "$placed" || e2e_fail "the window came back at $(geometry), not where it was closed ($placed)"
e2e_keys 1 0 plus 0 equal
e2e_dismiss_message "10 + 0 ="
e2e_keys c
e2e_expect_clipboard 10 "10 + 0 = keeps 10"
load_through_menu alt+f l "Load calculations from file" us

# In English the item reads "&Rus": Alt+R switches back, and that is stored as well.
e2e_keys alt+r
load_through_menu alt+Cyrillic_ef Cyrillic_ze "Загрузить вычисления из файла" ru
e2e_close "Подтверждение"
e2e_settings | grep -qx 'Lang=0' || e2e_fail "closing in Russian did not store Lang=0 in tallyman.ini"
e2e_pass
