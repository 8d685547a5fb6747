#!/usr/bin/env bash
# End to end: the real program answers the desktop's media keys over MPRIS 2, on a session bus of
# its own under Xvfb. A playlist of two generated tones is given on the command line, as the
# launcher passes a double-clicked file; a click on the first entry starts it; playerctl then
# reads the status and the title, goes to the next entry, pauses and plays again, seeks, sets the
# volume, and the
# program ends through the bus. Before that, without a session bus, the program runs and ends
# as usual.
#
# usage: mpris.sh <path-to-vexolin> <build-dir>
set -euo pipefail

source "$(dirname "$0")/desktop/helpers.bash"
E2E_TOOLS="dbus-send playerctl"
e2e_begin "$@"

# --- the media: two 20-second tones of the demo generator, in a playlist file
"$build/make_demo" "$work/set" 20 >/dev/null
printf '%s\r\n' "$work/set/media/tone01.wav" "$work/set/media/tone02.wav" >"$work/Two.vxplaylist"

# --- without a session bus: the program starts, shows its window and ends cleanly when asked
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" "$vexolin" "$work/Two.vxplaylist" >"$work/vexolin.log" 2>&1 &
pid=$!
wait_until 20 find_window || fail "without a session bus no window appeared"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "without a session bus the program ended with $status"
pid=""
echo "ok: without a session bus the program runs and ends as usual"

# --- with the bus
start_vexolin "$work/Two.vxplaylist"
player_listed() { alive; playerctl -l 2>/dev/null | grep -qx vexolin; }
wait_until 10 player_listed || fail "playerctl does not list vexolin: $(playerctl -l 2>&1)"

ctl() { playerctl -p vexolin "$@" 2>&1; }
is() { [ "$(ctl "$1")" = "$2" ]; }
title_is() { [ "$(ctl metadata xesam:title)" = "$1" ]; }
is status Stopped || fail "before anything plays the status is '$(ctl status)'"

# The playlist's first row (playlist: left 60, top 6360 twips).
click_at $(px 1200) $(($(px 6360) + 10))

wait_until 5 is status Playing || fail "after the click the status is '$(ctl status)'"
wait_until 2 title_is tone01.wav || fail "the title is '$(ctl metadata xesam:title)', expected tone01.wav"
echo "ok: playing $(ctl metadata xesam:title), status $(ctl status)"

ctl next >/dev/null || fail "playerctl next failed"
wait_until 3 title_is tone02.wav || fail "after next the title is '$(ctl metadata xesam:title)'"
[ "$(xdotool getwindowname "$window")" = "Vexolin: $work/set/media/tone02.wav" ] ||
  fail "after next the window shows '$(xdotool getwindowname "$window")'"
echo "ok: next opened $(ctl metadata xesam:title), as the window's Next button does"

ctl pause >/dev/null || fail "playerctl pause failed"
wait_until 3 is status Paused || fail "after pause the status is '$(ctl status)'"
paused_at=$(ctl position)
sleep 0.5
[ "$(ctl position)" = "$paused_at" ] || fail "the position moves while paused ($paused_at, then $(ctl position))"
ctl play >/dev/null || fail "playerctl play failed"
wait_until 3 is status Playing || fail "after play the status is '$(ctl status)'"
echo "ok: pause holds the position at ${paused_at}s, play goes on"

# Seeking: to a place, then forward from it; the position read back follows.
near() { awk -v a="$(ctl position)" -v b="$1" 'BEGIN { exit !(a >= b - 0.5 && a <= b + 1.5) }'; }
ctl position 10 >/dev/null || fail "playerctl position 10 failed"
wait_until 3 near 10 || fail "after position 10 the position is $(ctl position)"
ctl position 4+ >/dev/null || fail "playerctl position 4+ failed"
wait_until 3 near 14 || fail "after position 4+ the position is $(ctl position)"
echo "ok: seeking to 10 s and 4 s on gives $(ctl position) s"

# The volume, set and read back.
ctl volume 0.5 >/dev/null || fail "playerctl volume 0.5 failed"
volume_is_half() { [ "$(ctl volume)" = 0.500000 ]; }
wait_until 3 volume_is_half || fail "after volume 0.5 the volume is $(ctl volume)"
echo "ok: the volume is $(ctl volume)"

# Quit closes the window as the user would; the program ends by itself.
dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.vexolin /org/mpris/MediaPlayer2 \
  org.mpris.MediaPlayer2.Quit || fail "Quit could not be sent"
ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_until 10 ended || fail "the program did not end after Quit"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "after Quit the program ended with $status"
echo "ok: Quit ends the program"
