#!/usr/bin/env bash
# tallyman-cli eval: values, error lines with code, position and message, languages, locales.
set -u
cli=$1
failures=0

# expect EXIT OUTPUT ARGS...: runs the command line and compares exit code and standard output.
expect() {
  local want_status=$1 want_output=$2
  shift 2
  local output status
  output=$("$cli" "$@" 2>&1)
  status=$?
  if [ "$status" != "$want_status" ] || [ "$output" != "$want_output" ]; then
    echo "FAIL: tallyman-cli $*"
    echo "  expected exit $want_status: $want_output"
    echo "  got      exit $status: $output"
    failures=$((failures + 1))
  fi
}

expect 0 "31.41592654" --locale en eval "2*pi*5"
expect 0 "31.42" --locale en --digits 2 eval "2*pi*5"
expect 0 "6" --locale en eval "a*b: a=2; b=3"
expect 0 "12" --locale en eval "x*y: 3; 4"
expect 0 "4" --locale en eval -2^2
expect 0 "-4" --locale en eval "-(2^2)"
expect 0 "220" --locale en eval "200+10%"
expect 0 "1,000,001" --locale en eval "1 000 000 + 1"
expect 0 "5" --locale ru eval "2,5*2"
expect 0 "2,5" --locale ru eval "5/2"
expect 0 "4" --locale en eval 2 + 2
expect 0 "1" --locale en eval "sin(x)^2+cos(x)^2: 0.5"

expect 1 "error 3 at 4: Divide by zero!" --locale en --english eval "1/0"
expect 1 "error 3 at 4: Деление на ноль!" --locale en eval "1/0"
expect 1 "error 6 at 2: Wrong variable" --locale en --english eval "x*2"
expect 1 "error 8 at 10: Mistake in arguments" --locale en --english eval "x*2: x=3+4"
expect 1 "error 7 at 0: Syntax error!" --locale en --english eval "sqrt(-1)"
expect 1 "error 2 at 5: Mismatched brackets" --locale en --english eval "(1+2"
expect 1 "error 4 at 4: Wrong operation" --locale en --english eval "2*-3"
expect 1 "error 5 at 4: Expected Number or Variable" --locale en --english eval "2^-1"
expect 1 "error 1 at 3: Wrong number" --locale en --english eval "2e"
expect 1 "error: Limit = 18 digits!" --locale en eval "10^18"

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
