#!/usr/bin/env bash
# cpack on a machine without dpkg-shlibdeps (dpkg-dev) must fail and make no
# package: left to itself it would make one whose Depends names none of the
# libraries the viewer links. The machine is imitated by a program directory
# holding every tool of /usr/bin but that one, searched instead of the system's.
set -euo pipefail
build=$1 work=$2

rm -rf "$work"
mkdir -p "$work/bin" "$work/out"
for tool in /usr/bin/*; do
  [[ ${tool##*/} == dpkg-shlibdeps ]] || ln -s "$tool" "$work/bin/"
done
status=0
(cd "$build" && cpack -G DEB -B "$work/out" -D CMAKE_PROGRAM_PATH="$work/bin" \
   -D CMAKE_FIND_USE_SYSTEM_ENVIRONMENT_PATH=FALSE -D CMAKE_FIND_USE_CMAKE_SYSTEM_PATH=FALSE) \
  >"$work/cpack.log" 2>&1 || status=$?

failed=0
fail() { echo "FAIL $*"; failed=1; }
((status != 0)) || fail "cpack succeeded without dpkg-shlibdeps"
grep -q 'dpkg-shlibdeps not found: install dpkg-dev' "$work/cpack.log" || fail "cpack did not say what is missing"
made=$(find "$work/out" -maxdepth 1 -name '*.deb')
[[ -z $made ]] || fail "cpack made $made: $(dpkg-deb -f "$made" Depends)"
if ((failed)); then
  cat "$work/cpack.log"
  exit 1
fi
echo "ok   cpack stops without dpkg-shlibdeps"
