# Sourced by the shell tests: count failed checks, report them, and end with
# a status that ctest reads.

failures=0

fail() {
  failures=$((failures + 1))
  if [ "$failures" -le 20 ]; then echo "FAIL: $*" >&2; fi
}

expect_eq() {  # what, expected, actual
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# Ends the test: exit 1 when any check failed.
finish() {  # what passed
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "${1:-all checks} passed"
  exit 0
}
