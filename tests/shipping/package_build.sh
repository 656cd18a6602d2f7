#!/usr/bin/env bash
# Builds the Debian package from this build tree into a clean directory and
# checks it came out as gridwalk_<version>_<arch>.deb, the one file there.
set -euo pipefail
config=$1 dir=$2 version=$3

rm -rf "$dir"
mkdir -p "$dir"
log=$dir/cpack.log
cpack --config "$config" -G DEB -B "$dir" >"$log" 2>&1 || { cat "$log"; echo "FAIL cpack"; exit 1; }

want=gridwalk_${version}_$(dpkg --print-architecture).deb
made=$(cd "$dir" && ls -- *.deb)
if [[ $made != "$want" ]]; then
  echo "FAIL cpack made '$made', wanted $want"; exit 1
fi
echo "ok   $want"
