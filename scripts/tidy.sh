#!/usr/bin/env bash
# clang-tidy, with the checks of .clang-tidy, over every file of src/, tests/
# and bench/ that the build compiles, as the build compiles it (from the build
# directory's compile_commands.json, build/ unless given). Any warning fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

db=$build/compile_commands.json
if [[ ! -f $db ]]; then
  echo "tidy: no $db: configure the build first (scripts/build.sh)" >&2
  exit 1
fi
# The source tree as CMake names it in the database, symbolic links and all.
root=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")/
mapfile -t files < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$db" |
                     awk -v root="$root" 'index($0, root "src/") == 1 || index($0, root "tests/") == 1 ||
                                          index($0, root "bench/") == 1' | sort -u)
if ((${#files[@]} == 0)); then
  echo "tidy: $db lists no file of src/, tests/ or bench/" >&2
  exit 1
fi
# One clang-tidy per file; a file's findings are printed together, when it fails.
if ! printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c \
    'out=$(clang-tidy-14 --quiet -p "$0" "$1" 2>&1) || { printf "%s\n" "$out" | grep -v " generated\.$"; exit 1; }' "$build"; then
  echo "tidy: findings above"
  exit 1
fi
echo "tidy: ${#files[@]} files clean"
