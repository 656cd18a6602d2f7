#!/usr/bin/env bash
# cmake --install with a prefix of one's own puts the same files under it as
# the package puts under /usr, and nothing else.
set -euo pipefail
build=$1 prefix=$2

rm -rf "$prefix"
log=$build/tests/shipping/install.log
cmake --install "$build" --prefix "$prefix" >"$log" 2>&1 || { cat "$log"; echo "FAIL cmake --install"; exit 1; }
actual=$(cd "$prefix" && find . -type f -printf '%m %p\n' | sort -k 2)
expected=$(cat <<'LIST'
755 ./bin/gridwalk
644 ./share/applications/gridwalk.desktop
644 ./share/icons/hicolor/128x128/apps/gridwalk.png
644 ./share/icons/hicolor/48x48/apps/gridwalk.png
644 ./share/man/man6/gridwalk.6
LIST
)
if [[ $actual != "$expected" ]]; then
  echo "FAIL installed files differ (- wanted, + found):"
  # diff exits 1 on the difference it is here to show.
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</-/p; s/^>/+/p' || true
  exit 1
fi
echo "ok   cmake --install --prefix $prefix: the viewer, its entry, icons and manual page"
