#!/usr/bin/env bash
# The sanitizer build: the viewer and all its tests built in build-asan/ with
# AddressSanitizer and UndefinedBehaviorSanitizer, then every test of that
# build run, the real binary's included. Arguments go to ctest (say -R NAME
# for one test). One line a step; the logs are build-asan/build.log and
# build-asan/ctest.log.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-asan
mkdir -p "$dir"
log=$dir/build.log
{ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DGRIDWALK_WERROR=ON -DGRIDWALK_SANITIZE=ON &&
  cmake --build "$dir" --parallel "$(nproc)"; } >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
echo "sanitize: $dir/gridwalk and its tests (Debug, ASan + UBSan)"

# Leaks are looked for at every exit, the death tests' children included;
# the system libraries' own are listed, each with why, in lsan.supp.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
log=$dir/ctest.log
if ! (cd "$dir" && ctest --output-on-failure --no-tests=error "$@") >"$log" 2>&1; then
  cat "$log"
  echo "sanitize: tests failed under the sanitizers"
  exit 1
fi
echo "sanitize: $(grep -o '[0-9]*% tests passed, [0-9]* tests failed out of [0-9]*' "$log")"
