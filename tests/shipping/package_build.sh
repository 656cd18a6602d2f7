#!/usr/bin/env bash
# Builds the Debian package the way the README says, cpack -G DEB in the
# build tree, after removing any earlier one, and checks it came out as
# gridwalk_<version>_<arch>.deb, alone.
set -euo pipefail
build=$1 version=$2

rm -f "$build"/gridwalk_*.deb
log=$build/tests/shipping/cpack.log
mkdir -p "$(dirname "$log")"
(cd "$build" && cpack -G DEB) >"$log" 2>&1 || { cat "$log"; echo "FAIL cpack"; exit 1; }

want=gridwalk_${version}_$(dpkg --print-architecture).deb
made=$(cd "$build" && ls -- gridwalk_*.deb)
if [[ $made != "$want" ]]; then
  echo "FAIL cpack made '$made', wanted $want"; exit 1
fi
echo "ok   $want"
