# Shared by the script tests: check WHAT EXPECTED ACTUAL counts a pass or says what
# failed; checks_summary prints the closing count and fails if anything did.
failures=0
passed=0

check() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" = "$actual" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL: $what: expected [$expected], got [$actual]"
    failures=$((failures + 1))
  fi
}

checks_summary() {
  echo "$passed passed, $failures failed"
  [ "$failures" = 0 ]
}
