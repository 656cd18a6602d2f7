#!/usr/bin/env bash
# Sets up what the viewer and its tests need, builds both and runs every
# test, then the quality gates, then the tests again in the sanitizer build.
# The exit status is the tests' result.
set -euo pipefail
cd "$(dirname "$0")"

scripts/packages.sh cmake make g++ libsdl1.2-dev libglu1-mesa-dev libgtest-dev libgmock-dev xvfb \
  valgrind clang-format-14 clang-tidy-14 cppcheck
scripts/build.sh -DBUILD_TESTING=ON -DGRIDWALK_WERROR=ON
(cd build && ctest --output-on-failure -LE gate && ctest --output-on-failure -L gate)
scripts/sanitize.sh
