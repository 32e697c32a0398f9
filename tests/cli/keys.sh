#!/usr/bin/env bash
# tallyman-cli keys / tape, driven as a script would drive them.
set -u
cli=$1
[ -x "$cli" ] || { echo "FAIL: no tallyman-cli at $cli"; exit 1; }
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"
tab=$'\t'
nbsp=$'\u00a0'

# road of one calculation
check 0 "tape: \\t=12
tape: +5\\t=17
S1: =
S2: 
entry: 17
result: 12+5\\t=17
total: 17" "$cli" --locale ru keys '12+5='

# events come first
check 0 "message: Error!
tape: \\t=10
S1: =
S2: 
entry: 10
result: --->\\t=10
total: 10" "$cli" --locale en --english keys '10+0='

# Russian message by default, three beeps
check 0 "beep
beep
beep
message: Ошибка!
tape: \\t=1
S1: =
S2: 
entry: 1
result: --->\\t=1
total: 1" "$cli" --locale ru keys '1x+0{enter}'

# row editing and grouping
check 0 "tape: \\t=1${nbsp}000
tape: *3\\t=3${nbsp}000
tape: +5\\t=3${nbsp}005
S1: =
S2: 
entry: 3${nbsp}005
result: 3${nbsp}000+5\\t=3${nbsp}005
total: 3${nbsp}005" "$cli" --locale ru keys '1000+5={row 2}{insert * 3}'

# copy, paste and memory
check 0 "clipboard: 17
clipboard: 2.5
tape: \\t=2.5
tape: -1.25\\t=1.25
S1: =
S2: 
entry: 1.25
result: 12+5\\t=17
result: 2.5-1.25\\t=1.25
total: 18.25" "$cli" --locale en keys '12+5{copy}{paste 2.5}{mem 3 -1.25 ; half}{ctrl+3}'

# precision options
check 0 "tape: \\t=2
tape: /3\\t=0.67
S1: =
S2: 
entry: 0.7
result: 2/3\\t=0.7
total: 0.7" "$cli" --locale en --digits 2 --resout 1 keys '2/3='

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '+5\t=15\r\n*2\t=1\r\n-\r\n' >"$dir/t.txt"
# tape file
check 0 "tape: \\t=15
tape: *2\\t=30
tape: -
S1: -
S2: 
entry: 
total: " "$cli" --locale en tape "$dir/t.txt"

# load inside keys
check 0 "tape: \\t=15
tape: *2\\t=30
tape: -
S1: -
S2: 
entry: 
result: 1+1\\t=2
total: 2" "$cli" --locale en keys "1+1={load $dir/t.txt}"

for bad in "keys" "keys {bogus}" "keys {row x}" "keys {unclosed" "--digits 19 keys 1" "--locale xx keys 1" "frobnicate"; do
  # shellcheck disable=SC2086
  "$cli" $bad >/dev/null 2>"$dir/err"
  status=$?
  if [ $status -ne 2 ] || [ ! -s "$dir/err" ]; then
    echo "FAIL: '$bad' should be a usage error with exit 2 (got $status)"
    failures=$((failures + 1))
  fi
done

"$cli" --help | grep -q '{mem N TEXT}' || { echo "FAIL: --help lacks the keys syntax"; failures=$((failures + 1)); }
exit $((failures > 0))
