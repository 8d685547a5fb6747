#!/usr/bin/env bash
# End to end: the real program under Xvfb shows video in its player area. The video is drawn in a
# window of its own, made when the first media opens, so the program starts without OpenGL.
# Checked with a generated red test picture: the player area is black before anything plays and
# red once a click on the entry opens it; the notice that lies over the player (Database > New's)
# covers the video while it shows, and the video comes back when it goes; the database check's
# panel, opened by the keyboard after the video played, shows its buttons over the player area.
#
# usage: video.sh <path-to-vexolin> <build-dir>
set -euo pipefail

source "$(dirname "$0")/desktop/helpers.bash"
e2e_begin "$@"

# --- the media: 4 seconds of a red 64 x 48 picture (YUV4MPEG2, 4:2:0: Y 81, Cb 90, Cr 240)
mkdir -p "$work/media"
bytes() { head -c "$1" /dev/zero | tr '\0' "$2"; }
{
  printf 'YUV4MPEG2 W64 H48 F25:1 Ip A1:1 C420jpeg\n'
  for _ in $(seq 100); do
    printf 'FRAME\n'
    bytes 3072 '\121'
    bytes 768 '\132'
    bytes 768 '\360'
  done
} >"$work/media/red.y4m"
# A second record names a file that is not there, for the database check to list.
printf '%s\r\n' "Test Pattern" "Red Picture" "Video" "#:/media/red.y4m" \
  "Test Pattern" "Gone Picture" "Video" "#:/media/gone.y4m" >"$work/Video.VxDatabase"

start_vexolin "$work/Video.VxDatabase"
title_is "Vexolin V1.77" || wait_until 10 title_is "Vexolin V1.77" || fail "start-up title is '$(title)'"

# The colour of a client-area pixel, as rrggbb.
colour_at() {
  import -window root -crop "1x1+$((client_x + $1))+$((client_y + $2))" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'A-F' 'a-f'
}
# Red: much more red than green or blue.
is_red() {
  local c
  c=$(colour_at "$1" "$2")
  [ -n "$c" ] && [ $((16#${c:0:2})) -gt 200 ] && [ $((16#${c:2:2})) -lt 60 ] && [ $((16#${c:4:2})) -lt 60 ]
}
is_black() { [ "$(colour_at "$1" "$2")" = 000000 ]; }

# Inside both the player area (4740, 300, 7095 twips wide) and the notice over it (5160, 420,
# 6375 wide), right of where the file dialog of Database > New opens.
spot_x=$(px 11250)
spot_y=$(px 3200)
sleep 0.5
is_black "$spot_x" "$spot_y" || fail "before anything plays the player area is $(colour_at "$spot_x" "$spot_y"), not black"
echo "ok: the player area is black before anything plays"

# "All to Playlist" (allToPlaylistButton: 3540, 720, 1095 x 315 twips), then the playlist's first row.
click_at $(px $((3540 + 1095 / 2))) $(px $((720 + 315 / 2)))
sleep 0.5
click_at $(px 1200) $(($(px 6360) + 10))
wait_until 5 title_is "Vexolin: Test Pattern - Red Picture" || fail "after the click the title is '$(title)'"
wait_until 5 is_red "$spot_x" "$spot_y" || fail "the video is not shown: the player area is $(colour_at "$spot_x" "$spot_y")"
echo "ok: the video shows in the player area"

# Database > New: the menu title at 130 pixels, its first item below it; the notice shows while
# the file dialog asks for a name.
xdotool mousemove --sync $((client_x + 130)) $((client_y - 10)) click 1
sleep 0.5
xdotool mousemove --sync $((client_x + 138)) $((client_y + 10)) click 1
not_red() { ! is_red "$spot_x" "$spot_y"; }
wait_until 5 not_red || fail "the notice did not cover the video"
echo "ok: the notice covers the video ($(colour_at "$spot_x" "$spot_y"))"
xdotool key Escape
wait_until 5 is_red "$spot_x" "$spot_y" || fail "after the notice the player area is $(colour_at "$spot_x" "$spot_y")"
echo "ok: the video shows again when the notice goes"

# The record editor that Database > New opened closes with its Done (3650, 6030, 975 x 285
# twips); Stop (6180, 5940, 615 x 360) stops the video, whose last picture stays.
click_at $(px $((3650 + 975 / 2))) $(px $((6030 + 285 / 2)))
click_at $(px $((6180 + 615 / 2))) $(px $((5940 + 360 / 2)))
sleep 0.5

# Database > Check by its mnemonics. Its panel (2160, 480 twips) lies over the player area: "Remove
# all" (5640, 3840, 975 x 375 within the panel) and "Done" (6720, 3840) must be seen there, drawn
# as buttons (light), not covered by the black or red of the player.
xdotool key alt+d
sleep 0.5
xdotool key c
# Light grey, as a button's face is.
is_light() {
  local c
  c=$(colour_at "$1" "$2")
  [ -n "$c" ] && [ $((16#${c:0:2})) -gt 150 ] && [ $((16#${c:2:2})) -gt 150 ] && [ $((16#${c:4:2})) -gt 150 ]
}
for button in "Remove all:5640" "Done:6720"; do
  name=${button%%:*}
  left=$(px $((2160 + ${button##*:})))
  top=$(px $((480 + 3840)))
  for spot in "$((left + 6)) $((top + 6))" "$((left + 58)) $((top + 19))"; do
    # shellcheck disable=SC2086
    wait_until 5 is_light $spot || fail "the check panel's $name is not seen at $spot: $(colour_at $spot)"
  done
  echo "ok: the check panel's $name shows over the player area"
done
