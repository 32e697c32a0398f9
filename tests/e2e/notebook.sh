#!/usr/bin/env bash
# The notebook in the running program: N opens it, F6 calculates the line before the caret,
# Escape closes it and the notes are in "TallyNote.txt" beside the program; at the next start
# they open again with two empty lines to write on.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup

notes="$E2E_DIR/app/TallyNote.txt"
notes_are() { [[ -f "$notes" && "$(cat "$notes")" == "$1" ]]; }

e2e_start
e2e_keys n
e2e_wait_window_named "Блокнот" 15 || e2e_abort "N opened no notebook; windows: $(e2e_describe_windows)"
note=$E2E_FOUND
e2e_focus "$note"
e2e_keys 1 2 asterisk 3 F6 Escape
e2e_poll 15 e2e_window_closed "$note" || e2e_abort "Escape did not close the notebook"
e2e_poll 15 notes_are $'12*3=36\r' || e2e_fail "TallyNote.txt holds [$(cat "$notes" 2>/dev/null)], expected 12*3=36"

# Opening again shows the notes; copying all of them puts them on the clipboard.
e2e_focus "$E2E_WINDOW"
e2e_keys n
e2e_wait_window_named "Блокнот" 15 || e2e_abort "N opened no notebook the second time"
note=$E2E_FOUND
e2e_focus "$note"
e2e_keys ctrl+a ctrl+c
# Reading the clipboard drops the trailing empty lines.
e2e_expect_clipboard "12*3=36" "the notes opened again"
e2e_keys Escape
e2e_poll 15 e2e_window_closed "$note" || e2e_abort "Escape did not close the notebook the second time"

e2e_close "Подтверждение"
e2e_pass
