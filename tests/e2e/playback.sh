#!/usr/bin/env bash
# End to end: the real program under Xvfb plays a two-entry playlist of generated tones.
# It is driven with the mouse as a user would (xdotool): "All to Playlist" fills the playlist
# from the database named on the command line, a click on the first entry starts it. Checked:
# the window title names the entry, the play-time display advances, the second entry opens by
# itself when the first ends, and after the last one nothing more opens.
#
# usage: playback.sh <path-to-vexolin> <build-dir>
set -euo pipefail

if [ -z "${VEXOLIN_E2E_DISPLAY:-}" ]; then
  for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  # Start the search for a free display away from :99, where concurrent xvfb-run -a calls collide.
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" env VEXOLIN_E2E_DISPLAY=1 bash "$0" "$@"
fi

vexolin=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  import -window root "$build/e2e-playback-failure.png" 2>/dev/null &&
    echo "screen at the failure: $build/e2e-playback-failure.png"
  exit 1
}

# Polls a command every 0.1 s until it succeeds or `seconds` have passed.
wait_until() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# --- the media: the first two 3-second tones of the demo generator, in a database of their own
"$build/make_demo" "$work/media" >/dev/null
head -n 8 "$work/media/Demo.VxDatabase" >"$work/media/Two.VxDatabase"
first="Vexolin: The Examples - First Song"
second="Vexolin: The Examples - Second Song"

# --- start the program with the database on its command line
"$vexolin" "$work/media/Two.VxDatabase" >"$work/vexolin.log" 2>&1 &
pid=$!

window=""
alive() { kill -0 "$pid" 2>/dev/null || fail "Vexolin ended; log: $(cat "$work/vexolin.log")"; }
find_window() {
  alive
  window=$(xdotool search --onlyvisible --pid "$pid" --name '^Vexolin' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
wait_until 20 find_window || fail "no Vexolin window appeared; log: $(cat "$work/vexolin.log")"

# Control positions: the fixed 794 x 530 client area lies below the menu bar; controls are
# placed in twips (15 per pixel).
eval "$(xdotool getwindowgeometry --shell "$window")"
client_x=$X
client_y=$((Y + HEIGHT - 530))
px() { echo $(($1 / 15)); }
click_at() { # client-area pixel x, y
  xdotool mousemove --sync $((client_x + $1)) $((client_y + $2)) click 1
}
# The play-time display (playtimeLabel: left 7140, width 1215 twips, at the top of the client area).
play_time_pixels() {
  import -window root -crop "$(px 1215)x16+$((client_x + $(px 7140)))+$((client_y + 1))" rgb:- | md5sum
}
title() { xdotool getwindowname "$window"; }
title_is() { [ "$(title)" = "$1" ]; }

title_is "Vexolin V1.77" || wait_until 10 title_is "Vexolin V1.77" || fail "start-up title is '$(title)'"
sleep 0.5 # let the first timer ticks paint the idle window
idle_time=$(play_time_pixels)

# "All to Playlist" (allToPlaylistButton: 3540, 720, 1095 x 315 twips), then the playlist's first row
# (playlist: left 60, top 6360 twips).
click_at $(px $((3540 + 1095 / 2))) $(px $((720 + 315 / 2)))
sleep 0.5
click_at $(px 1200) $(($(px 6360) + 10))

wait_until 5 title_is "$first" || fail "after the click the title is '$(title)', expected '$first'"
echo "ok: the clicked entry opened: $(title)"

changed_from() { [ "$(play_time_pixels)" != "$1" ]; }
wait_until 3 changed_from "$idle_time" || fail "the play time did not start counting"
one_second=$(play_time_pixels)
wait_until 3 changed_from "$one_second" || fail "the play time did not advance"
alive
echo "ok: the play time advances"

wait_until 6 title_is "$second" || fail "the second entry did not open by itself; title '$(title)'"
echo "ok: the second entry opened by itself: $(title)"

# The second tone ends after 3 s; the playlist does not wrap to the first entry.
sleep 4.5
alive
title_is "$second" || fail "after the last entry the title changed to '$(title)'"
echo "ok: playback ended after the last entry"
