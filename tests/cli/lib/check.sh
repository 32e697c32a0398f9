# Shared by the command-line test scripts: source it, call check, and exit $((failures > 0)).
failures=0

# check EXIT OUTPUT COMMAND...: runs COMMAND and compares its exit code and standard output.
check() {
  local want_rc="$1" want="$2"
  shift 2
  local got rc
  got="$("$@")"
  rc=$?
  if [[ "$rc" != "$want_rc" || "$got" != "$want" ]]; then
    echo "FAIL: $* -> [$got] (exit $rc), expected [$want] (exit $want_rc)"
    failures=$((failures + 1))
  fi
}


# check_stdin INPUT EXIT OUTPUT COMMAND...: the same with INPUT on standard input.
check_stdin() {
  local input="$1"
  shift
  check "$@" < <(printf '%s' "$input")
}
