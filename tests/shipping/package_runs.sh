#!/usr/bin/env bash
# The viewer unpacked from the package (dpkg -x, no install) starts on the
# tests' X server, draws, and quits on Escape with status 0 and nothing on
# standard output: on the classic SDL 1.2 library, and on sdl12-compat when
# it is installed, chosen through LD_LIBRARY_PATH.
set -euo pipefail
deb=$(ls "$1"/gridwalk_*.deb) xvfb_dir=$2 view_once=$3 work=$4
DISPLAY=$(<"$xvfb_dir/display")
export DISPLAY
rm -rf "$work"
mkdir -p "$work"
dpkg -x "$deb" "$work/root"
viewer=$work/root/usr/bin/gridwalk
compat_dir=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/sdl12-compat
failed=0

for runtime in classic sdl12-compat; do
  library_path=
  if [[ $runtime == sdl12-compat ]]; then
    if [[ ! -e $compat_dir/libSDL-1.2.so.0 ]]; then
      echo "note $runtime: not installed ($compat_dir), not run"; continue
    fi
    library_path=$compat_dir
  fi
  # Which libSDL the loader picks, so a pass says what it ran on.
  loaded=$(LD_LIBRARY_PATH=$library_path ldd "$viewer" | awk '$1 == "libSDL-1.2.so.0" { print $3 }')
  if [[ $runtime == sdl12-compat && $loaded != "$compat_dir"/* ]]; then
    echo "FAIL $runtime: the loader picks '$loaded'"; failed=1; continue
  fi
  if ! LD_LIBRARY_PATH=$library_path "$view_once" "$viewer" "$work/$runtime" >/dev/null; then
    echo "FAIL $runtime: see above"; failed=1; continue
  fi
  status=$(<"$work/$runtime/status")
  if [[ $status != 0 || -s $work/$runtime/stdout ]]; then
    echo "FAIL $runtime: status $status, standard output:"; cat "$work/$runtime/stdout"; failed=1; continue
  fi
  echo "ok   $runtime ($loaded): drew, quit on Escape with status 0, nothing on standard output"
done
exit "$failed"
