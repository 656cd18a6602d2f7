#!/usr/bin/env bash
# Profiles the real viewer in a frame-heavy run: build-bench/gridwalk on the
# classic SDL for a few seconds on a private Xvfb, under perf, with the X
# server profiled alongside since it does each swap's copy. Writes the reports
# to build-bench/profile/ and prints where the samples fell. Needs ./bench.sh
# to have built build-bench/ first.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly dir=build-bench/profile
readonly viewer=build-bench/gridwalk
readonly run_seconds=10
readonly samples_per_second=999
# A software event: perf has no hardware counters on this virtual machine.
readonly event=cpu-clock

[[ -x $viewer ]] || { echo "profile: $viewer missing, run ./bench.sh first" >&2; exit 1; }
scripts/packages.sh linux-perf
mkdir -p "$dir"
tests/e2e/xvfb.sh start "$dir/xvfb"
trap 'tests/e2e/xvfb.sh stop "$dir/xvfb" >/dev/null' EXIT
DISPLAY=$(<"$dir/xvfb/display")
export DISPLAY
unset LD_LIBRARY_PATH

perf record -q -e "$event" -F "$samples_per_second" -p "$(<"$dir/xvfb/pid")" \
  -o "$dir/xvfb.data" >"$dir/perf-xvfb.log" 2>&1 &
xvfb_perf=$!
perf record -q -e "$event" -F "$samples_per_second" -o "$dir/viewer.data" \
  -- "$viewer" >"$dir/perf-viewer.log" 2>&1 &
viewer_perf=$!
sleep "$run_seconds"
# The viewer is perf's only child; SIGTERM is a quit to SDL, so it ends as
# after Escape and perf writes its data.
kill -TERM "$(pgrep -P "$viewer_perf")"
wait "$viewer_perf"
kill -INT "$xvfb_perf"
wait "$xvfb_perf" || true  # perf -p exits non-zero when interrupted
echo "profile: ${run_seconds} s of gridwalk and its X server recorded in $dir"

report() { perf report -i "$dir/$1.data" --stdio --no-children -g none --sort "$2" 2>/dev/null | grep '%'; }
report viewer comm >"$dir/viewer-threads.txt"
report viewer comm,dso >"$dir/viewer-by-thread.txt"
report viewer comm,dso,sym >"$dir/viewer-symbols.txt"
report viewer dso >"$dir/viewer-by-library.txt"
report xvfb dso,sym >"$dir/xvfb-symbols.txt"

samples() { perf report -i "$dir/$1.data" --stdio 2>/dev/null | sed -n "s/^# Samples: \([^ ]*\) .*/\1/p"; }

echo
echo "Samples: viewer process $(samples viewer), X server $(samples xvfb). Viewer's threads:"
cat "$dir/viewer-threads.txt"
echo "Viewer process, share of its samples by thread and library (top 6):"
head -n 6 "$dir/viewer-by-thread.txt"
echo "Viewer process, hottest instructions (top 4):"
head -n 4 "$dir/viewer-symbols.txt"
echo "The viewer's own code (the gridwalk binary):"
grep -E '[[:space:]]gridwalk[[:space:]]*$' "$dir/viewer-by-library.txt" || echo "    no samples"
echo "X server, hottest symbols (top 3):"
head -n 3 "$dir/xvfb-symbols.txt"
