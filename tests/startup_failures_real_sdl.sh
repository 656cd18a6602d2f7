#!/usr/bin/env bash
# The viewer on the real SDL library, with no display: a video driver that
# does not exist fails the init, and the dummy driver (no OpenGL) fails the
# mode set. Each prints its one line, with SDL's reason, and exits 1.
set -euo pipefail
viewer=$1

expect_failure() {
  local driver=$1 line_start=$2 out status=0
  out=$(env -u DISPLAY SDL_VIDEODRIVER="$driver" "$viewer" 2>/dev/null) || status=$?
  if [[ $status -ne 1 ]]; then
    echo "FAIL SDL_VIDEODRIVER=$driver: exit status $status, wanted 1"; return 1
  fi
  if [[ $(printf '%s\n' "$out" | wc -l) -ne 1 || $out != "$line_start"?* ]]; then
    echo "FAIL SDL_VIDEODRIVER=$driver: printed '$out', wanted one line '$line_start<reason>'"; return 1
  fi
  echo "ok   SDL_VIDEODRIVER=$driver: $out"
}

expect_failure nosuch "Unable to init SDL: "
expect_failure dummy "Unable to set 1280x1024 video: "
