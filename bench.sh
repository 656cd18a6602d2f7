#!/usr/bin/env bash
# Measures gridwalk on this machine and prints a table: the frame against the
# platform's floor, the time to the first frame against a minimal SDL program,
# both on the two SDL 1.2 runtimes, and the camera's calls. It only measures:
# nothing passes or fails on speed. Builds in build-bench/ (Release) and draws
# on a private Xvfb with Mesa's llvmpipe.
set -euo pipefail
cd "$(dirname "$0")"

readonly dir=build-bench
# Start-ups per program; each round starts all six (three programs on two
# runtimes), about 3 s a round here.
readonly first_frame_rounds=12
# Google Benchmark: repetitions to take the median of, and seconds per one.
readonly call_repetitions=5
readonly call_min_seconds=0.2

# Runs a step quietly: its output goes to $dir/NAME.log, shown only if it fails.
step() {
  local name=$1
  shift
  "$@" >"$dir/$name.out" 2>"$dir/$name.log" || {
    echo "bench: $name failed" >&2
    tail -n 30 "$dir/$name.log" >&2
    exit 1
  }
}
value() { sed -n "s/^$2=//p" "$dir/$1.out"; }
build() {
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DGRIDWALK_BENCH=ON &&
    cmake --build "$dir" --parallel "$(nproc)"
}

scripts/packages.sh cmake make g++ libsdl1.2-dev libglu1-mesa-dev libgl1-mesa-dri \
  libx11-dev libbenchmark-dev xvfb libsdl1.2-compat
# sdl12-compat's libSDL-1.2 sits beside the classic one, in a directory of its
# own under this architecture's library directory.
compat_libdir=/usr/lib/$(gcc -print-multiarch)/sdl12-compat
readonly compat_libdir
mkdir -p "$dir"
step build build
echo "build: $dir (Release)"

tests/e2e/xvfb.sh start "$dir/xvfb"
trap 'tests/e2e/xvfb.sh stop "$dir/xvfb" >/dev/null' EXIT
DISPLAY=$(<"$dir/xvfb/display")
export DISPLAY

# Process CPU time is the figure kept: on a shared machine the wall time of a
# 10 ns call mostly measures who else had the core.
step calls "$dir/bench/camera_calls" --benchmark_repetitions="$call_repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_min_time="$call_min_seconds" \
  --benchmark_out="$dir/calls.csv" --benchmark_out_format=csv
echo "calls: moveCamera, strafeCamera, rotateCamera, moveMouse measured"

# The same binaries on both runtimes: sdl12-compat is picked by the loader.
step frame_classic env -u LD_LIBRARY_PATH "$dir/bench/frame_cost"
echo "frames: classic SDL $(value frame_classic sdl_version) measured"
step frame_compat env LD_LIBRARY_PATH="$compat_libdir" "$dir/bench/frame_cost"
echo "frames: sdl12-compat $(value frame_compat sdl_version) measured"

step first_frame "$dir/bench/first_frame_observer" "$first_frame_rounds" "$dir/first_frame_programs.log" \
  -- gridwalk_classic - "$dir/gridwalk" \
  -- floor_classic - "$dir/bench/floor_window" \
  -- audio_classic - "$dir/bench/floor_window" --audio \
  -- gridwalk_compat "$compat_libdir" "$dir/gridwalk" \
  -- floor_compat "$compat_libdir" "$dir/bench/floor_window" \
  -- audio_compat "$compat_libdir" "$dir/bench/floor_window" --audio
echo "first frames: $first_frame_rounds rounds of 6 start-ups measured"

sdl2=$(dpkg-query -W -f='${Version}' libsdl2-2.0-0 | sed 's/[+~-].*//')
classic="classic SDL $(value frame_classic sdl_version)"
compat="sdl12-compat $(value frame_compat sdl_version) (SDL $sdl2)"
viewer_classic_ms=$(value frame_classic viewer_ms)

echo
echo "Machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)," \
  "$(value frame_classic renderer), $(value frame_classic gl_version | sed 's/.*\(Mesa\)/\1/')," \
  "Xvfb 1280x1024x24"
echo
echo "Frame: DrawScene after init vs clear+swap, ms a frame, median of $(value frame_classic rounds) interleaved rounds"
printf '  %-38s %9s %9s  %s\n' runtime viewer floor "ratio (min-max)"
for runtime in classic compat; do
  printf '  %-38s %9s %9s  %s (%s-%s)\n' "${!runtime}" "$(value "frame_$runtime" viewer_ms)" \
    "$(value "frame_$runtime" floor_ms)" "$(value "frame_$runtime" ratio)" \
    "$(value "frame_$runtime" ratio_min)" "$(value "frame_$runtime" ratio_max)"
done
echo
echo "First frame shown after process start, ms, median (min-max) of $first_frame_rounds interleaved rounds"
printf '  %-38s %-18s %-18s %s\n' runtime gridwalk "floor (video)" "floor (video+audio)"
for runtime in classic compat; do
  awk -v name="${!runtime}" -v r="$runtime" -F'\t' '
    { cell[$1] = sprintf("%.0f (%.0f-%.0f)", $2, $3, $4) }
    END { printf "  %-38s %-18s %-18s %s\n", name, cell["gridwalk_" r], cell["floor_" r], cell["audio_" r] }
  ' "$dir/first_frame.out"
done
echo
echo "Camera calls: CPU ns a call, median of $call_repetitions repetitions; share of one classic viewer frame"
awk -F, -v frame_ms="$viewer_classic_ms" '
  $1 ~ /_median"$/ {
    name = $1; gsub(/"/, "", name); sub(/^BM_/, "", name); sub(/_median$/, "", name)
    printf "  %-26s %8.1f ns %12.5f %%\n", name, $4, 100 * $4 / (frame_ms * 1e6)
  }
' "$dir/calls.csv"
