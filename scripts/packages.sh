#!/usr/bin/env bash
# Installs whichever of the named Debian packages are missing, with apt-get
# (index refreshed first), through sudo when not root. One line of output.
set -euo pipefail

missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  echo "packages: all $# present"
  exit 0
fi

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
echo "packages: installing ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { "${as_root[@]}" apt-get update -q &&
       "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
         apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
