#!/usr/bin/env bash
# calc: what the notebook inserts behind a formula or a whole number.
cli="$1"
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"

check 0 "=36" "$cli" --locale ru calc "12*3"
check 0 "36" "$cli" --locale ru calc "12*3="
check 0 "=5" "$cli" --locale ru calc "x = 2+3"
check 0 "=FFh=11111111b" "$cli" --locale ru calc 255
check 0 "=0h=0b" "$cli" --locale ru calc 0
check 0 "=31=11111b" "$cli" --locale ru calc '$1F'
check 0 "=31=11111b" "$cli" --locale ru calc 1Fh
check 0 "=5=5h" "$cli" --locale ru calc 101b
check 0 "=485=111100101b" "$cli" --locale ru calc 1e5
check 0 "=3,3333" "$cli" --locale ru calc 10/3
check 0 "=3.33" "$cli" --locale en --resout 2 calc 10/3
check 0 "" "$cli" --locale ru calc "   "
check 1 "Limit = 18 digits!" "$cli" --locale ru calc "999999999999*999999999"
check 1 "The number \"99999999999999999999\" does not fit in 64 bits" "$cli" --locale en --english calc 99999999999999999999

out="$("$cli" --locale ru calc "2+*3")"
[[ $? == 1 && -n "$out" ]] || { echo "FAIL: a formula error is reported"; failures=$((failures + 1)); }

exit $((failures > 0))
