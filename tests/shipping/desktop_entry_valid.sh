#!/usr/bin/env bash
# The menu entry passes desktop-file-validate with nothing to say: it exits 0
# on hints and some warnings too, so any output counts as a failure.
set -euo pipefail
entry=$1

out=$(desktop-file-validate "$entry" 2>&1) || { echo "FAIL $entry: $out"; exit 1; }
[[ -z $out ]] || { echo "FAIL $entry: $out"; exit 1; }
echo "ok   $entry is a valid desktop entry"
