#!/usr/bin/env bash
# valgrind memcheck over the unit and loop tests that run against the fake
# platform (the test binary, given), the death tests' child processes
# included. Any memory error fails, and so does any definite or indirect leak.
set -euo pipefail
tests=$1

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# A code of valgrind's own, so an error in a death test's child also shows as
# a wrong exit status there and fails that test.
valgrind_error=99
# nouserintercepts: valgrind leaves the fake's operator new and delete in
# place (they count every allocation, and the tests check the count) and
# watches the libc malloc and free under them. Replacing them would also
# split each pair, since the fake's own calls are inlined.
status=0
valgrind --quiet --error-exitcode=$valgrind_error --trace-children=yes \
  --soname-synonyms=somalloc=nouserintercepts --track-origins=yes \
  --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
  --log-file="$logs/%p.log" "$tests" >"$logs/tests.out" 2>&1 || status=$?
processes=$(find "$logs" -name '*.log' | wc -l)
if ((status != 0)); then
  cat "$logs/tests.out"
  for log in "$logs"/*.log; do [[ -s $log ]] && { echo "--- ${log##*/}"; cat "$log"; }; done
  echo "memcheck: $tests failed with status $status ($valgrind_error: valgrind found errors)"
  exit 1
fi
echo "memcheck: $(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\./\1/p' "$logs/tests.out") tests, $processes processes, no errors or leaks"
