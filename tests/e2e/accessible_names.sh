#!/usr/bin/env bash
# End to end through the accessibility bus: while an entry of a two-tone playlist plays, the
# status line, the clocks and the entry counter are read as a screen reader reads them, and
# their changes reach the bus. See a11y/live_names.py.
#
# usage: accessible_names.sh <path-to-vexolin> <build-dir>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/a11y/session.bash"
a11y_session "$@"

vexolin=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$a11y_bus" 2>/dev/null; wait "$a11y_bus" 2>/dev/null' EXIT

# The first two 3-second tones of the demo generator, in a database of their own.
"$build/make_demo" "$work/media" >/dev/null
head -n 8 "$work/media/Demo.VxDatabase" >"$work/media/Two.VxDatabase"

PYTHONPATH="$here/a11y" /usr/bin/python3 "$here/a11y/live_names.py" "$vexolin" "$build" "$work/media/Two.VxDatabase"
