#!/usr/bin/env bash
# Retakes docs/screenshot.png and the icons in data/icons/ from one picture of
# the real viewer at its start pose, on a private X server. Needs the viewer's
# and the tests' packages (./test.sh installs them). One line per step.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
work=$(mktemp -d)
trap 'tests/e2e/xvfb.sh stop "$work/xvfb" >/dev/null; rm -rf "$work"' EXIT
tests/e2e/xvfb.sh start "$work/xvfb"
DISPLAY=$(<"$work/xvfb/display") scripts/view-once.sh build/gridwalk "$work/run"
picture=$work/run/screen.png

# No metadata or time stamps, so the same picture gives the same bytes and a
# retake with nothing changed leaves git clean.
png_out=(-strip -define png:exclude-chunks=date,time)
mkdir -p docs data/icons
convert "$picture" -resize 640x512 +dither -colors 16 "${png_out[@]}" docs/screenshot.png
# The icon is the picture's lower part, the horizon and the grid, squeezed to a
# square. The lines are one pixel wide, so they are thickened first, in step
# with the shrink, or they would fade to nothing.
for size_and_width in 128:4 48:10; do
  size=${size_and_width%:*} width=${size_and_width#*:}
  convert "$picture" -crop 1280x768+0+256 +repage -morphology Dilate "Disk:$width" \
    -resize "${size}x${size}!" +dither -colors 32 "${png_out[@]}" "data/icons/gridwalk-$size.png"
done
echo "screenshot: docs/screenshot.png, data/icons/gridwalk-128.png, data/icons/gridwalk-48.png"
