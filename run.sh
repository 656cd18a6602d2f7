#!/usr/bin/env bash
# Sets up what the viewer needs, builds it and starts it. Arguments are passed
# on to the viewer.
set -euo pipefail
cd "$(dirname "$0")"

scripts/packages.sh cmake make g++ libsdl1.2-dev libglu1-mesa-dev libgl1-mesa-dri
scripts/build.sh
exec build/gridwalk "$@"
