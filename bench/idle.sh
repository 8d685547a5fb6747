#!/bin/sh
# Counts the program's wake-ups while it has nothing to do, beside a bare Qt main window of the
# same Qt (bench/bare_window.cpp): the voluntary and involuntary context switches of all its
# threads over SECONDS seconds (30), read from /proc/<pid>/task/*/status once the window is on
# screen and has settled. Cases: the bare window; the program with an empty library; with a
# database of 25000 records (and its resident size then, once the lists are filled and the player
# has loaded); with a media opened and paused; and with it stopped.
# Runs on a private Xvfb server and session bus (the pause and stop go through the program's
# MPRIS interface) with a fresh home folder; prints, per case:
#   idle_<case> wakeups_per_s=<x> [resident_mb=<y>]
# Usage: bench/idle.sh [build folder]   (after `cmake --build build --target benchmarks`)
set -eu
BUILD=$(realpath "${1:-build}")
SECONDS_IDLE=${SECONDS_IDLE:-30}
SETTLE=${SETTLE:-3}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-88}

if [ -z "${VEXOLIN_IDLE_BUS:-}" ]; then
  VEXOLIN_IDLE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
program=
trap 'kill $program $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# The context switches of every thread of a process so far.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^(non)?voluntary_ctxt_switches:/ { s += $2 } END { print s + 0 }'
}
resident_mb() {
  awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' /proc/"$1"/status
}
# Starts the command in the background, with the display and a fresh home; sets $program.
launch() {
  mkdir -p "$work/home"
  env -u VEXOLIN_IDLE_BUS HOME="$work/home" DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb "$@" >/dev/null 2>&1 &
  program=$!
  sleep "$SETTLE"
}
# Prints the wake-ups per second of $program over SECONDS_IDLE seconds, then any extra fields.
measure() {
  name=$1
  shift
  before=$(switches "$program")
  sleep "$SECONDS_IDLE"
  after=$(switches "$program")
  awk -v n="$name" -v d=$((after - before)) -v s="$SECONDS_IDLE" -v extra="$*" \
    'BEGIN { printf "idle_%s wakeups_per_s=%.2f%s\n", n, d / s, (extra == "" ? "" : " " extra) }'
}
finish() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
}
mpris() {
  playerctl --player=vexolin "$@"
}

launch "$BUILD/bench/bare_window"
measure bare_window
finish

launch "$BUILD/vexolin" --new-window
measure empty_library
finish

"$BUILD/bench/large_database" "$work" >/dev/null
launch "$BUILD/vexolin" --new-window "$work/Large.VxDatabase"
measure library_25000 "resident_mb=$(resident_mb "$program")"
finish

# A tone of a minute, opened from the command line (it plays at once), then paused and stopped.
python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i * 0.06))) for i in range(22050 * 60)))
PY
launch "$BUILD/vexolin" --new-window "$work/tone.wav"
mpris pause
sleep 1
measure paused "status=$(mpris status)"
mpris stop
sleep 1
measure stopped "status=$(mpris status)"
finish
