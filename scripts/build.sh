#!/usr/bin/env bash
# Configures build/ (Release unless told otherwise) when it is new or when
# CMake options are given, then builds what changed. One line of output; the
# full log is build/build.log.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
log=build/build.log
if [[ ! -f build/CMakeCache.txt || $# -gt 0 ]]; then
  cmake -S . -B build "$@" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
fi
cmake --build build --parallel "$(nproc)" >>"$log" 2>&1 || { cat "$log" >&2; exit 1; }
echo "build: build/gridwalk ($(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' build/CMakeCache.txt))"
