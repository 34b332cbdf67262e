#!/bin/sh
# Runs the hello example in a real window on a virtual X server: it clicks its own button and
# checks the caption there too, then stays open until the window's close button is clicked.
# Usage: hello-window.sh HELLO. Exit 77 (skipped) without Xvfb, xdotool or ImageMagick.
hello="$1"
. "$(dirname "$0")/../gallery/xvfb.sh"
out=$(mktemp)

"$hello" --window >"$out" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null; rm -f "$out"; cleanup' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Hello$' | head -1)
[ -n "$window" ] || { echo "the hello window did not appear"; exit 1; }
# Still open after its own check: it waits for the user.
for i in $(seq 100); do grep -q 'changed the caption' "$out" && break; sleep 0.1; done
sleep 0.3
kill -0 $app 2>/dev/null || { cat "$out"; echo "hello ended before its window was closed"; exit 1; }
# The close button sits at the right end of the caption bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 18)) 15 click 1
for i in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && { echo "closing the window did not end hello"; exit 1; }
wait $app
status=$?
cat "$out"
[ $status -eq 0 ] && grep -q '^hello: the click changed the caption$' "$out"
