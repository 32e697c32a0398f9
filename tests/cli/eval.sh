#!/usr/bin/env bash
# tallyman-cli eval: values, error lines with code, position and message, languages, locales.
set -u
cli=$1
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"

check 0 "31.41592654" "$cli" --locale en eval "2*pi*5"
check 0 "31.42" "$cli" --locale en --digits 2 eval "2*pi*5"
check 0 "6" "$cli" --locale en eval "a*b: a=2; b=3"
check 0 "12" "$cli" --locale en eval "x*y: 3; 4"
check 0 "4" "$cli" --locale en eval -2^2
check 0 "-4" "$cli" --locale en eval "-(2^2)"
check 0 "220" "$cli" --locale en eval "200+10%"
check 0 "1,000,001" "$cli" --locale en eval "1 000 000 + 1"
check 0 "5" "$cli" --locale ru eval "2,5*2"
check 0 "2,5" "$cli" --locale ru eval "5/2"
check 0 "4" "$cli" --locale en eval 2 + 2
check 0 "1" "$cli" --locale en eval "sin(x)^2+cos(x)^2: 0.5"

check 1 "error 3 at 4: Divide by zero!" "$cli" --locale en --english eval "1/0"
check 1 "error 3 at 4: Деление на ноль!" "$cli" --locale en eval "1/0"
check 1 "error 6 at 2: Wrong variable" "$cli" --locale en --english eval "x*2"
check 1 "error 8 at 10: Mistake in arguments" "$cli" --locale en --english eval "x*2: x=3+4"
check 1 "error 7 at 0: Syntax error!" "$cli" --locale en --english eval "sqrt(-1)"
check 1 "error 2 at 5: Mismatched brackets" "$cli" --locale en --english eval "(1+2"
check 1 "error 4 at 4: Wrong operation" "$cli" --locale en --english eval "2*-3"
check 1 "error 5 at 4: Expected Number or Variable" "$cli" --locale en --english eval "2^-1"
check 1 "error 1 at 3: Wrong number" "$cli" --locale en --english eval "2e"
check 1 "error: Limit = 18 digits!" "$cli" --locale en eval "10^18"

if "$cli" eval >/dev/null 2>&1; [ $? != 2 ]; then
  echo "FAIL: eval without a formula must be a usage error (exit 2)"
  failures=$((failures + 1))
fi
if ! "$cli" --help | grep -q "^  eval TEXT"; then
  echo "FAIL: eval is missing from --help"
  failures=$((failures + 1))
fi

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "eval: all passed"
