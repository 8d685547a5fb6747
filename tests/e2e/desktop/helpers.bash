# Sourced by the end-to-end scripts that start the real program on a virtual display and drive it
# with the mouse, as a user would.

# e2e_begin "$@" (the script's arguments: the program and the build folder) runs the calling
# script again on a virtual display and a session bus of its own (so that the program started
# there neither hands its files to a Vexolin of the desktop nor takes theirs), after checking that
# the tools (and those named in E2E_TOOLS) are there. In that run it sets vexolin, build and work,
# a scratch folder removed at the end, as is a program still running.
e2e_begin() {
  if [ -z "${VEXOLIN_E2E_DISPLAY:-}" ]; then
    local tool
    for tool in dbus-run-session xvfb-run xdotool import ${E2E_TOOLS:-}; do
      command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
    done
    # Start the search for a free display away from :99, where concurrent xvfb-run -a calls collide.
    # -noreset: the server would otherwise reset when its last client leaves (a tool that only
    # looked), and a program connecting during the reset is turned away.
    exec dbus-run-session -- xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24 -noreset" \
      env VEXOLIN_E2E_DISPLAY=1 bash "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
  fi
  vexolin=$(realpath "$1")
  build=$(realpath "$2")
  work=$(mktemp -d)
  pid=""
  trap cleanup EXIT
}

cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}

# Reports a failure with the program's output and a picture of the screen, and ends the script.
fail() {
  echo "FAIL: $*"
  [ -s "$work/vexolin.log" ] && echo "log: $(cat "$work/vexolin.log")"
  local shot
  shot="$build/e2e-$(basename "$0" .sh)-failure.png"
  import -window root "$shot" 2>/dev/null && echo "screen at the failure: $shot"
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

alive() { kill -0 "$pid" 2>/dev/null || fail "Vexolin ended"; }
window=""
find_window() {
  alive
  window=$(xdotool search --onlyvisible --pid "$pid" --name '^Vexolin' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}

# Starts the program with the given command line and waits for its window. Sets client_x and
# client_y, the screen position of the fixed 794 x 530 client area below the menu bar.
start_vexolin() {
  "$vexolin" "$@" >"$work/vexolin.log" 2>&1 &
  pid=$!
  wait_until 20 find_window || fail "no Vexolin window appeared"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  client_x=$X
  client_y=$((Y + HEIGHT - 530))
}

# Controls are placed in twips, 15 to a pixel.
px() { echo $(($1 / 15)); }
click_at() { # client-area pixel x, y
  xdotool mousemove --sync $((client_x + $1)) $((client_y + $2)) click 1
}
title() { xdotool getwindowname "$window"; }
title_is() { [ "$(title)" = "$1" ]; }
