#!/usr/bin/env bash
# End to end: every caption of every window and window mode is wholly visible with the fonts
# this platform has, checked on a screenshot where the accessibility bus says each caption lies.
# See a11y/captions.py.
#
# usage: captions.sh <path-to-vexolin> <build-dir>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/a11y/session.bash"
a11y_session "$@"

vexolin=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$a11y_bus" 2>/dev/null; wait "$a11y_bus" 2>/dev/null' EXIT

"$build/make_demo" "$work/media" >/dev/null
PYTHONPATH="$here/a11y" /usr/bin/python3 "$here/a11y/captions.py" "$vexolin" "$build" "$work/media/Demo.VxDatabase"
