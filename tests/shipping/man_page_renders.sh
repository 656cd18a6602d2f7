#!/usr/bin/env bash
# The manual page renders without a warning from man (groff) or mandoc, and
# tells the truth the program shows: each failure line the viewer can print,
# and the version it was built as.
set -euo pipefail
page=$1 viewer=$2 version=$3
failed=0
fail() { echo "FAIL $*"; failed=1; }

# man exits 0 whatever groff warns about, so its standard error is the verdict.
warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) || fail "man could not render $page"
[[ -z $warnings ]] || fail "man warns: $warnings"
lint=$(mandoc -Tlint -Wwarning "$page" 2>&1) || fail "mandoc: $lint"

# Wide lines so no sentence the checks look for is broken across two.
text=$(MANWIDTH=1000 man -E UTF-8 -l "$page" 2>/dev/null)
# The failure lines are the viewer's own printf formats; the page shows the
# reason SDL fills in as "reason".
mapfile -t formats < <(strings "$viewer" | grep -E '^Unable to .*%s$')
((${#formats[@]} == 2)) || fail "wanted 2 failure formats in $viewer, found: ${formats[*]}"
for format in "${formats[@]}"; do
  [[ $text == *"${format%\%s}reason"* ]] || fail "the page does not show '${format%\%s}reason'"
done
[[ $text == *"gridwalk $version"* ]] || fail "the page does not name gridwalk $version"
for section in NAME SYNOPSIS DESCRIPTION CONTROLS DIAGNOSTICS "EXIT STATUS" ENVIRONMENT FILES; do
  grep -qx "$section" <<<"$text" || fail "no $section section"
done

((failed == 0)) && echo "ok   $page renders cleanly, shows both failure lines and version $version"
exit "$failed"
