#!/usr/bin/env bash
# Fails when any C++ file under src/, tests/ or bench/ is not laid out as
# .clang-format says, and shows the change clang-format would make. The files
# are found afresh each run, so new ones are checked as soon as they exist.
set -euo pipefail
cd "$(dirname "$0")/.."

# Another version lays some lines out differently: pin the one the check is
# written for.
clang_format=clang-format-14
mapfile -t files < <(find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
unformatted=0
for file in "${files[@]}"; do
  if ! "$clang_format" --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" -; then
    unformatted=$((unformatted + 1))
  fi
done
if ((unformatted > 0)); then
  echo "format: $unformatted of ${#files[@]} files differ; fix with: $clang_format -i FILE"
  exit 1
fi
echo "format: ${#files[@]} files clean"
