#!/usr/bin/env bash
# The package holds exactly the viewer, its menu entry, its icons and its
# manual page under /usr, owned by root with the usual modes, and the menu
# entry's Exec and Icon name a program and icons that are in it.
set -euo pipefail
deb=$(ls "$1"/gridwalk_*.deb)
failed=0
fail() { echo "FAIL $*"; failed=1; }

# Mode, owner and path of every entry; directories end in '/'.
actual=$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')
paths=$(awk '{ print $3 }' <<<"$actual")
expected=$(cat <<'LIST'
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/gridwalk
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/gridwalk.desktop
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/gridwalk.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/gridwalk.png
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man6/
-rw-r--r-- root/root ./usr/share/man/man6/gridwalk.6
LIST
)
if [[ $actual != "$expected" ]]; then
  fail "contents differ (- wanted, + found):"
  # diff exits 1 on the difference it is here to show.
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</-/p; s/^>/+/p' || true
fi

# Exec must be a program on the PATH from /usr/bin, Icon an icon in hicolor.
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/gridwalk.desktop)
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' <<<"$entry")
icon_name=$(sed -n 's/^Icon=//p' <<<"$entry")
grep -qx "./usr/bin/$exec_name" <<<"$paths" ||
  fail "Exec=$exec_name is not in /usr/bin of the package"
for size in 48 128; do
  grep -qx "./usr/share/icons/hicolor/${size}x$size/apps/$icon_name.png" <<<"$paths" ||
    fail "Icon=$icon_name has no ${size}x$size icon"
  dims=$(dpkg-deb --fsys-tarfile "$deb" |
    tar -xO "./usr/share/icons/hicolor/${size}x$size/apps/$icon_name.png" | identify -format "%wx%h" -) || dims=unreadable
  [[ $dims == "${size}x$size" ]] || fail "the ${size}x$size icon is $dims"
done

((failed == 0)) && echo "ok   $(basename "$deb"): contents as expected, Exec and Icon found in it"
exit "$failed"
