#!/usr/bin/env bash
# cppcheck over the project's own C++ (src/, tests/ and bench/, found afresh
# each run), inconclusive findings included; any finding fails. SDL, GL, GLU and
# GoogleTest are known from cppcheck's own descriptions of them, not read.
# Findings that are meant are listed, each with why, in scripts/cppcheck.supp.
set -euo pipefail
cd "$(dirname "$0")/.."

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cppcheck --quiet --error-exitcode=1 --inconclusive \
       --enable=warning,style,performance,portability \
       --std=c++17 --language=c++ -I src -I tests -I bench \
       --library=sdl --library=opengl --library=googletest --library=posix \
       --suppressions-list=scripts/cppcheck.supp \
       --template='{file}:{line}: {severity}: {message} [{id}]' \
       src tests bench >"$log" 2>&1; then
  cat "$log"
  echo "cppcheck: findings above"
  exit 1
fi
echo "cppcheck: src/, tests/ and bench/ clean"
