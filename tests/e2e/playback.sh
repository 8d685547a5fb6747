#!/usr/bin/env bash
# End to end: the real program under Xvfb plays a two-entry playlist of generated tones.
# It is driven with the mouse as a user would (xdotool): "All to Playlist" fills the playlist
# from the database named on the command line, a click on the first entry starts it. Checked:
# the window title names the entry, the play-time display advances, the second entry opens by
# itself when the first ends, and after the last one nothing more opens.
#
# usage: playback.sh <path-to-vexolin> <build-dir>
set -euo pipefail

source "$(dirname "$0")/desktop/helpers.bash"
e2e_begin "$@"

# --- the media: the first two 3-second tones of the demo generator, in a database of their own
"$build/make_demo" "$work/media" >/dev/null
head -n 8 "$work/media/Demo.VxDatabase" >"$work/media/Two.VxDatabase"
first="Vexolin: The Examples - First Song"
second="Vexolin: The Examples - Second Song"

# --- start the program with the database on its command line
start_vexolin "$work/media/Two.VxDatabase"

# The play-time display (playtimeLabel: left 7140, width 1215 twips, at the top of the client area).
play_time_pixels() {
  import -window root -crop "$(px 1215)x16+$((client_x + $(px 7140)))+$((client_y + 1))" rgb:- | md5sum
}

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
