#!/usr/bin/env bash
# apt would install the package beside either SDL 1.2 runtime that puts
# libSDL-1.2.so.0 where the loader looks: the classic library, or
# sdl12-compat's shim in its place. Simulated (apt-get -s): nothing changes.
# Skips (77) when apt knows no candidate for one of them, as before its first
# apt-get update.
set -euo pipefail
deb=$(realpath "$(ls "$1"/gridwalk_*.deb)")
runtimes=(libsdl1.2debian libsdl1.2-compat-shim)
failed=0

for runtime in "${runtimes[@]}"; do
  if [[ $(apt-cache policy "$runtime" 2>/dev/null) != *"Candidate: "[0-9]* ]]; then
    echo "SKIP apt knows no $runtime (run apt-get update)"; exit 77
  fi
done
for runtime in "${runtimes[@]}"; do
  other=${runtimes[0]}
  [[ $runtime == "$other" ]] && other=${runtimes[1]}
  if ! out=$(apt-get install -s -q "$deb" "$runtime" 2>&1); then
    echo "FAIL with $runtime, apt refuses:"; tail -n 8 <<<"$out"; failed=1; continue
  fi
  # apt must not reach for the other runtime to satisfy the Depends.
  if ! grep -q '^Conf gridwalk ' <<<"$out" || grep -q "^Inst $other " <<<"$out"; then
    echo "FAIL with $runtime, apt would do:"; grep -E '^(Inst|Remv|Conf) ' <<<"$out"; failed=1; continue
  fi
  echo "ok   installs with $runtime"
done
exit "$failed"
