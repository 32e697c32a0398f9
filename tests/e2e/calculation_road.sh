#!/usr/bin/env bash
# The road of one calculation typed into the running program: 12 + 5 = and C puts 17 on the
# clipboard; "+" after "=" continues the tape, a digit starts a new one; Escape asks the close
# question and a clean close writes the settings file beside the program.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
e2e_setup
e2e_start

e2e_keys 1 2 plus 5 equal c
e2e_expect_clipboard 17 "12 + 5 = then C"

# "+" after "=" continues from 17; Enter closes like "=".
e2e_keys plus 3 Return c
e2e_expect_clipboard 20 "17 + 3 Enter continues the closed tape"

# A digit after "=" starts a new tape; "-" typed is an operation, "*" and "/" too.
e2e_keys 9 0 minus 1 0 asterisk 3 slash 4 equal c
e2e_expect_clipboard 60 "90 - 10 * 3 / 4 = on a new tape"

# C closes an open calculation before copying: the pending operand counts.
e2e_keys 7 plus 8 c
e2e_expect_clipboard 15 "7 + 8 then C without ="

# Repeated digits typed key by key all arrive (xdotool type is known to drop them).
e2e_keys 1 0 0 0 0 plus 1 1 1 equal c
e2e_expect_clipboard 10111 "10000 + 111 ="

[[ ! -e "$E2E_DIR/app/tallyman.ini" ]] || e2e_fail "the settings file was written before the program closed"
e2e_close "Подтверждение"

ini="$E2E_DIR/app/tallyman.ini"
if [[ ! -f "$ini" ]]; then
  e2e_fail "no settings file \"tallyman.ini\" beside the program after a clean close"
else
  e2e_settings | grep -qx '\[SETS\]' || e2e_fail "the settings file has no [SETS] section"
  e2e_settings | grep -qx 'Lang=0' || e2e_fail "the settings file does not record Russian (Lang=0)"
fi
[[ ! -e "$XDG_CONFIG_HOME/tallyman" ]] || e2e_fail "a portable copy wrote into the user's config folder"
e2e_pass
