#!/usr/bin/env bash
# Sets up what the viewer and its tests need, builds both and runs every
# test, then the quality gates, then the tests again in the sanitizer build.
# The exit status is the tests' result.
set -euo pipefail
cd "$(dirname "$0")"

# Beyond the build: an X server with software OpenGL to run the viewer on,
# sdl12-compat so it runs on both SDL 1.2 libraries, the X libraries the
# end-to-end driver is built with, the tools that check the menu entry, the
# manual page and the package, and the gates' tools. The benchmark programs
# are built too, not run, so that the gates keep them compiling and clean.
scripts/packages.sh cmake make g++ libsdl1.2-dev libglu1-mesa-dev libgtest-dev libgmock-dev \
  libgl1-mesa-dri libsdl1.2-compat xvfb libx11-dev libxtst-dev libxdamage-dev xdotool imagemagick \
  desktop-file-utils man-db groff-base mandoc dpkg-dev file \
  libbenchmark-dev valgrind clang-format-14 clang-tidy-14 cppcheck
scripts/build.sh -DBUILD_TESTING=ON -DGRIDWALK_WERROR=ON -DGRIDWALK_BENCH=ON
(cd build && ctest --output-on-failure -LE gate && ctest --output-on-failure -L gate)
# Under the sanitizers all but the minute-long soak, which the normal build
# has just run.
scripts/sanitize.sh -E SurvivesAMinute
