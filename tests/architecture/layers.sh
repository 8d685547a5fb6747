#!/usr/bin/env bash
# The layers of src/ point one way, and no folder or unit (a .h with its .cpp) includes itself
# round a circle:
#   core    includes core only (and Qt Core: the core target links nothing else)
#   player  includes player and core
#   ui      includes ui, player and core; within ui, the folders form no circle
#   app     includes anything below it
# Usage: layers.sh <source-root>
set -euo pipefail
cd "$1/src"

rank() {
  case "$1" in
    core) echo 0 ;;
    player) echo 1 ;;
    ui/*) echo 2 ;;
    app) echo 3 ;;
    *) echo 9 ;;
  esac
}
# The folder a file or include path belongs to: core, player, app, or ui/<feature>.
folder() {
  case "$1" in
    ui/*) echo "$1" | cut -d/ -f1-2 ;;
    *) echo "$1" | cut -d/ -f1 ;;
  esac
}

fail=0
folders=$(mktemp)
units=$(mktemp)
trap 'rm -f "$folders" "$units"' EXIT

while IFS= read -r file; do
  from=$(folder "$file")
  unit=${file%.*}
  while IFS= read -r included; do
    to=$(folder "$included")
    if [ "$(rank "$to")" -gt "$(rank "$from")" ]; then
      echo "FAIL: $file includes $included, a layer above it"
      fail=1
    fi
    [ "$from" != "$to" ] && echo "$from $to" >>"$folders"
    [ "$unit" != "${included%.*}" ] && echo "$unit ${included%.*}" >>"$units"
  done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(find core player ui app -name '*.h' -o -name '*.cpp' | sort)

for graph in "$folders" "$units"; do
  if ! sort -u "$graph" | tsort >/dev/null 2>"$graph.err"; then
    echo "FAIL: the includes run round a circle:"
    cat "$graph.err"
    fail=1
  fi
  rm -f "$graph.err"
done
[ $fail = 0 ] && echo "layers: every include points down, and none runs round a circle"
exit $fail
