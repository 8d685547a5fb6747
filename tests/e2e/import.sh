#!/usr/bin/env bash
# End to end: Database > Import folder... through the real program reads the tags of the files
# it imports (the tag reader loads with its first read), as the closing message tells a screen
# reader. See a11y/import.py.
#
# usage: import.sh <path-to-vexolin> <build-dir>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/a11y/session.bash"
a11y_session "$@"

vexolin=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$a11y_bus" 2>/dev/null; wait "$a11y_bus" 2>/dev/null' EXIT

PYTHONPATH="$here/a11y" /usr/bin/python3 "$here/a11y/import.py" "$vexolin" "$build" "$work"
