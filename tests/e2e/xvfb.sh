#!/usr/bin/env bash
# A private X server for the end-to-end tests, on a display number nobody else
# holds. `start DIR [WxHxD]` leaves it running with DIR/display (":N") and
# DIR/pid written; `stop DIR` ends it. Starting again first stops the old one.
set -euo pipefail
verb=$1 dir=$2 geometry=${3:-1280x1024x24}

stop() {
  [[ -f $dir/pid ]] || return 0
  local pid
  pid=$(<"$dir/pid")
  rm -f "$dir/pid" "$dir/display" "$dir/number"
  kill "$pid" 2>/dev/null || return 0
  # Gone only when its socket and lock are released, so the number is free.
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.05; done
  kill -KILL "$pid" 2>/dev/null || true
}

case $verb in
  stop)
    stop
    echo "xvfb: stopped"
    ;;
  start)
    mkdir -p "$dir"
    stop
    # -displayfd: the server picks a free number and writes it once it accepts
    # connections. -noreset: without it the server resets when the last client
    # leaves, and the next connection may fail. Nothing of it stays on our
    # stdout, so CTest does not wait for it.
    : >"$dir/number"
    Xvfb -displayfd 3 -screen 0 "$geometry" -noreset -nolisten tcp \
      </dev/null >"$dir/xvfb.log" 2>&1 3>"$dir/number" &
    echo $! >"$dir/pid"
    for _ in $(seq 200); do
      number=$(tr -dc 0-9 <"$dir/number")
      if [[ -n $number && -S /tmp/.X11-unix/X$number ]]; then
        echo ":$number" >"$dir/display"
        echo "xvfb: :$number $geometry"
        exit 0
      fi
      kill -0 "$(<"$dir/pid")" 2>/dev/null || break
      sleep 0.05
    done
    echo "xvfb: did not start" >&2
    cat "$dir/xvfb.log" >&2
    stop
    exit 1
    ;;
  *)
    echo "usage: $0 start|stop DIR [WxHxD]" >&2
    exit 2
    ;;
esac
