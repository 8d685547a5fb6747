#!/usr/bin/env bash
# End to end on a session bus of its own: later starts of the program hand a playlist, a database
# and a media file to the running window and end; the record editor leaves a database out and
# says why; --new-window runs beside it. Read through the accessibility bus. See a11y/handover.py.
#
# usage: single_instance.sh <path-to-vexolin> <build-dir>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/a11y/session.bash"
a11y_session "$@"

vexolin=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$a11y_bus" 2>/dev/null; wait "$a11y_bus" 2>/dev/null' EXIT

# The demo's 3-second tones; a database of the first two, and a playlist of the same two files.
"$build/make_demo" "$work/set" >/dev/null
head -n 8 "$work/set/Demo.VxDatabase" >"$work/set/Two.VxDatabase"
printf '%s\r\n' "$work/set/media/tone01.wav" "$work/set/media/tone02.wav" >"$work/set/Two.vxplaylist"

PYTHONPATH="$here/a11y" /usr/bin/python3 "$here/a11y/handover.py" "$vexolin" "$build" "$work/set"
