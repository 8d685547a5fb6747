#!/usr/bin/env bash
# End to end: the real program under Xvfb shows video in its player area. The video is drawn in a
# window of its own, made when the first media opens, so the program starts without OpenGL.
# Checked with a generated red test picture: the player area is black before anything plays and
# red once a click on the entry opens it; the notice that lies over the player (Database > New's)
# covers the video while it shows, and the video comes back when it goes.
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
printf '%s\r\n' "Test Pattern" "Red Picture" "Video" "#:/media/red.y4m" >"$work/Video.VxDatabase"

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

# Inside both the player area (4740, 300, 7095 twips wide) and the notice over it (5160, 480,
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
