#!/bin/sh
# Times the start-up from outside: from process start until the main window is on screen with
# an empty database, beside a bare Qt main window of the same Qt (bench/bare_window.cpp). Both end
# right after their window's first exposure (the program when VEXOLIN_EXIT_WHEN_SHOWN is set).
# Runs on a private Xvfb server with a fresh home folder; prints the median of RUNS runs each:
#   startup median_ms=<program> baseline_ms=<bare window> ratio=<x/y>
# Usage: bench/startup.sh [build folder]   (after `cmake --build build --target benchmarks`)
set -eu
BUILD=${1:-build}
RUNS=${RUNS:-11}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-87}
home=$(mktemp -d)
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
sleep 1

# The median in milliseconds of RUNS starts of the command.
median_ms() {
  i=0
  while [ $i -lt "$RUNS" ]; do
    start=$(date +%s%N)
    env -i PATH="$PATH" HOME="$home" DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb \
      VEXOLIN_EXIT_WHEN_SHOWN=1 "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
    i=$((i + 1))
  done | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'
}

bare=$(median_ms "$BUILD/bench/bare_window")
ours=$(median_ms "$BUILD/vexolin")
awk -v x="$ours" -v y="$bare" 'BEGIN { printf "startup median_ms=%.1f baseline_ms=%.1f ratio=%.2f\n", x, y, x / y }'
