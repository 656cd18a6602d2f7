#!/usr/bin/env bash
# Runs the viewer once on $DISPLAY: waits for its first picture, saves the
# screen as DIR/screen.png, quits it with Escape and writes its exit status to
# DIR/status and its output to DIR/stdout and DIR/stderr. One line of output;
# fails if the viewer shows nothing or does not quit in time.
set -euo pipefail
viewer=$1 dir=$2
: "${DISPLAY:?needs the X display to run on}"

mkdir -p "$dir"
rm -f "$dir/screen.png" "$dir/status"
"$viewer" </dev/null >"$dir/stdout" 2>"$dir/stderr" &
pid=$!
# Never leave a full-screen viewer behind: it would hold the display's grab.
# A signal ends the script through exit, so the EXIT trap runs then too.
trap 'kill "$pid" 2>/dev/null || true' EXIT
trap 'exit 143' INT TERM

fail() {
  echo "view-once: $1" >&2
  tail -n 5 "$dir/stdout" "$dir/stderr" >&2
  exit 1
}

# Ready once any pixel of the screen is not black: the screen starts black and
# the viewer draws only black and the grid. llvmpipe on a busy machine can take
# a while to draw the first frame, so allow a minute.
deadline=$((SECONDS + 60))
until [[ $(import -silent -window root -format '%[max]' info:) != 0 ]]; do
  kill -0 "$pid" 2>/dev/null || fail "viewer ended before drawing anything"
  ((SECONDS < deadline)) || fail "nothing drawn after 60 s"
  sleep 0.1
done
# A frame is drawn and swapped whole; the wait only keeps this grab clear of
# the first swap, whatever the X server makes of it.
sleep 0.5
import -silent -window root "$dir/screen.png"

xdotool key Escape
deadline=$((SECONDS + 30))
while kill -0 "$pid" 2>/dev/null; do
  ((SECONDS < deadline)) || fail "still running 30 s after Escape"
  sleep 0.1
done
status=0
wait "$pid" || status=$?
trap - EXIT
echo "$status" >"$dir/status"
echo "view-once: drew a picture, quit on Escape with status $status"
