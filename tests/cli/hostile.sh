#!/usr/bin/env bash
# Input meant to break the command line: huge indexes, refused and missing files, control
# characters that would drive the terminal.
cli="$1"
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Row and results numbers: the largest whole number works (it selects nothing), beyond is refused.
check 0 "tape: \\t=1
tape: +1\\t=2
S1: =
S2: 
entry: 2
result: 1+1\\t=2
total: 2" "$cli" --locale en keys '1+1={row 9223372036854775807}{result 9223372036854775807}{goto}'
for index in "row 9223372036854775808" "row -9223372036854775808" "result -1" "result 99999999999999999999"; do
  check 2 "" "$cli" --locale en keys "1+1={$index}"
done

# A refused tape file prints the state with the message and exits 1; a missing one exits 1.
printf 'x\r\n' >"$dir/broken.txt"
check 1 "message: File error!
S1: 
S2: 
entry: 
total: " "$cli" --locale en --english tape "$dir/broken.txt"
check 1 "" "$cli" --locale en tape "$dir/absent.txt"
check 1 "" "$cli" --locale en tape "$dir"

# Control characters from a file or an argument are shown, never sent to the terminal.
printf '\t=5\a\b\x1b\r\n+1\t=6\r\n' >"$dir/controls.txt"
check 0 "tape: \\t=5\\x07\\x08\\x1B
tape: +1\\t=6
S1: =
S2: 
entry: 6
result: 5+1\\t=6
total: 6" "$cli" --locale en tape "$dir/controls.txt"
printf 'ShortCurrency=\xc2\x9b2J\x1b]0;title\a\x7f\n' >"$dir/numstring.txt"
got=$("$cli" --locale ru words 1 --numstring "$dir/numstring.txt")
[[ "$got" == ' \u009B2J\x1B]0;title\x07\x7F '* ]] || {
  echo "FAIL: words printed control characters from the NUMSTRING file: [$got]"
  failures=$((failures + 1))
}
err=$("$cli" keys $'{bo\e]0;x\agus}' 2>&1 >/dev/null)
[[ "$err" == 'tallyman-cli: unknown input {bo\x1B]0;x\x07gus}' ]] || {
  echo "FAIL: a usage error printed control characters: [$err]"
  failures=$((failures + 1))
}

exit $((failures > 0))
