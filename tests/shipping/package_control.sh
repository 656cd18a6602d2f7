#!/usr/bin/env bash
# The package's control fields: its name, version, section, maintainer and
# description, and a Depends line naming every runtime library the viewer
# needs, libGL.so.1, which SDL loads by itself, included.
set -euo pipefail
deb=$(ls "$1"/gridwalk_*.deb) version=$2
failed=0
fail() { echo "FAIL $*"; failed=1; }
field() { dpkg-deb -f "$deb" "$1"; }

dpkg-deb -I "$deb" >/dev/null || fail "dpkg-deb cannot read $deb"
[[ $(field Package) == gridwalk ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version), wanted $version"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: '$(field Maintainer)', wanted 'Name <address>'"
# A one-line summary, then a longer text.
description=$(field Description)
summary=$(head -n 1 <<<"$description")
[[ -n $summary && ${#summary} -le 80 ]] || fail "Description summary: '$summary'"
(($(wc -l <<<"$description") >= 3)) || fail "Description has no long text: '$description'"

# The clauses with their version bounds taken off; each runtime once.
depends=$(field Depends)
names=$(sed -E 's/ *\([^)]*\)//g; s/, */\n/g' <<<"$depends" | sort)
expected=$(sort <<'LIST'
libc6
libgl1
libglu1-mesa | libglu1
libopengl0
libsdl1.2debian
LIST
)
[[ $names == "$expected" ]] || fail "Depends: $depends; wanted clauses: $(echo $expected)"

((failed == 0)) && echo "ok   control fields as expected; Depends: $depends"
exit "$failed"
