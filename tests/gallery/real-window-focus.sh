#!/bin/sh
# Runs the gallery and a second program's window on a virtual X server and moves the keyboard
# between them: the gallery hears that it became inactive and active again.
# Usage: real-window-focus.sh GALLERY FORMRUN FORM. Exit 77 (skipped) without Xvfb or xdotool.
gallery="$1"
formrun="$2"
form="$3"
. "$(dirname "$0")/xvfb.sh"
events=$(mktemp)
"$gallery" --seconds 30 --events "$events" &
app=$!
"$formrun" "$form" --window --timeout 30 >/dev/null &
other=$!
trap 'kill $app $other 2>/dev/null; rm -f "$events"; cleanup' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gallery$' | head -1)
second=$(timeout 20 xdotool search --sync --onlyvisible --name '^HtmlLabels$' | head -1)
[ -n "$window" ] && [ -n "$second" ] || { echo "the windows did not appear"; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$window"
sleep 0.5
: >"$events"
xdotool windowfocus --sync "$second"
sleep 0.5
xdotool windowfocus --sync "$window"
sleep 0.5
kill $app $other 2>/dev/null
wait $app $other 2>/dev/null
got=$(grep '^Program' "$events" | tr '\n' '|')
cat "$events"
[ "$got" = "Program inactive|Program active|" ] || { echo "activation heard: $got"; exit 1; }
