#!/usr/bin/env bash
# Retakes docs/screenshot.png and the icons in data/icons/ from one picture of
# the real viewer at its start pose, on a private X server. Needs the viewer's
# and the tests' packages (./test.sh installs them). One line per step.
# `screenshot.sh [OUT [VIEWER]]` writes under OUT instead of the repository,
# from VIEWER instead of a fresh build/gridwalk: the tests compare that take.
set -euo pipefail
# Both taken as given from where it was called, before moving to the top.
out=$(realpath -m "${1:-$(dirname "$0")/..}") viewer=${2:+$(realpath "$2")}
cd "$(dirname "$0")/.."

if [[ -z $viewer ]]; then
  scripts/build.sh
  viewer=build/gridwalk
fi
work=$(mktemp -d)
trap 'tests/e2e/xvfb.sh stop "$work/xvfb" >/dev/null; rm -rf "$work"' EXIT
tests/e2e/xvfb.sh start "$work/xvfb"
DISPLAY=$(<"$work/xvfb/display") scripts/view-once.sh "$viewer" "$work/run"
picture=$work/run/screen.png

# No metadata or time stamps, so the same picture gives the same bytes and a
# retake with nothing changed leaves git clean.
png_out=(-strip -define png:exclude-chunks=date,time)
mkdir -p "$out/docs" "$out/data/icons"
convert "$picture" -resize 640x512 +dither -colors 16 "${png_out[@]}" "$out/docs/screenshot.png"
# The icon is the picture's lower part, the horizon and the grid, squeezed to a
# square. The lines are one pixel wide, so they are thickened first, in step
# with the shrink, or they would fade to nothing.
for size_and_width in 128:4 48:10; do
  size=${size_and_width%:*} width=${size_and_width#*:}
  convert "$picture" -crop 1280x768+0+256 +repage -morphology Dilate "Disk:$width" \
    -resize "${size}x${size}!" +dither -colors 32 "${png_out[@]}" "$out/data/icons/gridwalk-$size.png"
done
echo "screenshot: $out/docs/screenshot.png and $out/data/icons/gridwalk-{48,128}.png"
