#!/usr/bin/env bash
# The real program under a virtual X display: it starts with a database on its command line,
# shows the database's artists and titles, and ends cleanly when asked to close.
# Usage: smoke.sh <path-to-vexolin> <build-dir>
set -euo pipefail
vexolin=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/make_demo" "$work/set"
# An empty database for comparison: its lists stay white.
: > "$work/Empty.VxDatabase"

cat > "$work/run.sh" <<'INNER'
set -euo pipefail
vexolin=$1 db=$2 shot=$3
"$vexolin" "$db" 2>/dev/null &
pid=$!
wid=$(timeout 30 xdotool search --sync --name '^Vexolin V1.77$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
import -window root "$shot"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
# The lists of the client area: the client area is the bottom 530 pixels of the window.
top=$((Y + HEIGHT - 530))
echo "geometry ${X} ${top} ${WIDTH} ${HEIGHT} status ${status}"
INNER

measure() { # <database> <screenshot> -> "<dark fraction of the artist list> <dark fraction of the title list> <exit status>"
    local out
    # On a session bus of its own: the program hands nothing to a Vexolin of the desktop.
    out=$(dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/run.sh" "$vexolin" "$1" "$2")
    read -r _ x top width height _ status <<<"$(grep '^geometry' <<<"$out")"
    [ "$width" = 794 ] || { echo "window is ${width} pixels wide, not 794"; exit 1; }
    local list1 list2
    list1=$(/usr/bin/convert "$2" -crop "290x130+$((x + 8))+$((top + 76))" -colorspace Gray -threshold 50% -format '%[fx:1-mean]' info:)
    list2=$(/usr/bin/convert "$2" -crop "270x130+$((x + 8))+$((top + 250))" -colorspace Gray -threshold 50% -format '%[fx:1-mean]' info:)
    echo "$list1 $list2 $status"
}

read -r empty1 empty2 emptyStatus <<<"$(measure "$work/Empty.VxDatabase" "$work/empty.png")"
read -r full1 full2 fullStatus <<<"$(measure "$work/set/Demo.VxDatabase" "$work/full.png")"
echo "dark share of the artist list: empty ${empty1}, loaded ${full1}; title list: empty ${empty2}, loaded ${full2}"

fail=0
[ "$emptyStatus" = 0 ] && [ "$fullStatus" = 0 ] || { echo "FAIL: the program did not end cleanly ($emptyStatus, $fullStatus)"; fail=1; }
awk -v e="$empty1" -v f="$full1" 'BEGIN { exit !(e < 0.001 && f > 0.01) }' || { echo "FAIL: the artists were not shown"; fail=1; }
awk -v e="$empty2" -v f="$full2" 'BEGIN { exit !(e < 0.001 && f > 0.01) }' || { echo "FAIL: the titles were not shown"; fail=1; }
[ $fail = 0 ] || exit 1
echo "smoke: the program loaded its database and ended cleanly"
