#!/usr/bin/env bash
# The layers of src/ point one way, and no folder or unit (a .h with its .cpp) includes itself
# round a circle:
#   core    includes core only (and Qt Core: the core target links nothing else)
#   player  includes player and core
#   tags    includes tags and core; only app includes tags (the others read tags through
#           core/TagReader.h)
#   ui      includes ui, player and core; within ui, the folders form no circle, and a folder
#           includes only what its row of the table in uiIncludeAllowed permits
#   app     includes anything below it
# Usage: layers.sh <source-root>
set -euo pipefail
cd "$1/src"

rank() {
  case "$1" in
    core) echo 0 ;;
    player | tags) echo 1 ;;
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

# Within ui/: window/ and seams/ are the ground every feature stands on; browser/ (the lists
# several features act on) and database/ (opening and rewriting the database) are shared by the
# features; mpris/ sees the transport alone; no other feature includes another.
uiIncludeAllowed() {
  local from=$1 included=$2
  local to
  to=$(folder "$included")
  [ "$from" = "$to" ] && return 0
  case "$from:$to" in
    ui/window:* | ui/seams:*) return 1 ;;
    *:ui/window | *:ui/seams) return 0 ;;
    ui/browser:*) return 1 ;;
    *:ui/browser) return 0 ;;
    ui/database:*) return 1 ;;
    *:ui/database) return 0 ;;
    ui/mpris:*) [ "$included" = ui/playback/Transport.h ] ;;
    *) return 1 ;;
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
    case "$from:$to" in
      ui/*:tags | player:tags)
        echo "FAIL: $file includes $included: only the program uses the tag reader's implementation"
        fail=1 ;;
      tags:player)
        echo "FAIL: $file includes $included: the tag reader and the player stand side by side"
        fail=1 ;;
      ui/*:ui/*)
        if ! uiIncludeAllowed "$from" "$included"; then
          echo "FAIL: $file includes $included, which $from may not use"
          fail=1
        fi ;;
    esac
    [ "$from" != "$to" ] && echo "$from $to" >>"$folders"
    [ "$unit" != "${included%.*}" ] && echo "$unit ${included%.*}" >>"$units"
  done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(find core player tags ui app -name '*.h' -o -name '*.cpp' | sort)

for graph in "$folders" "$units"; do
  if ! sort -u "$graph" | tsort >/dev/null 2>"$graph.err"; then
    echo "FAIL: the includes run round a circle:"
    cat "$graph.err"
    fail=1
  fi
  rm -f "$graph.err"
done
[ $fail = 0 ] && echo "layers: every include points down, each ui folder uses only what it may, and none runs round a circle"
exit $fail
