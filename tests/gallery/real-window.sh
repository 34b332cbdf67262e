#!/bin/sh
# Runs the gallery in a real window on a virtual X server, clicks and types into it with real X
# input, and checks the events the controls saw and pixels the X server shows.
# Usage: real-window.sh GALLERY. Exit 77 (skipped) without Xvfb, xdotool or ImageMagick.
gallery="$1"
. "$(dirname "$0")/xvfb.sh"
events=$(mktemp)

"$gallery" --seconds 30 --events "$events" &
app=$!
trap 'kill $app 2>/dev/null; rm -f "$events"; cleanup' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gallery$' | head -1)
[ -n "$window" ] || { echo "the gallery window did not appear"; exit 1; }
sleep 1
pixel() { import -display "$display" -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1; }
# The status line (client 24,520 to 624,546; the frame adds 8, 31 and the menu bar 20) before
# the click.
strip() { import -display "$display" -window root -crop 590x14+36+577 -depth 8 txt:- | md5sum; }
before=$(strip)
# The autosized label sits at (230, 330) in the client area.
xdotool mousemove --window "$window" 260 392 click 1
xdotool type --delay 50 ab
# é comes as text input, beyond the US layout; xdotool maps it to a spare key first, which
# the client must have seen before the key comes, so it goes slowly.
sleep 0.3
xdotool type --delay 300 'é'
sleep 0.3
# Waits (up to 10 s) for the last typed key to arrive (other lines, such as a tooltip of the
# control under the pointer at start, may come first).
for i in $(seq 100); do
  grep -q '^KeyPress lblAuto 233$' "$events" && break
  sleep 0.1
done
white=$(pixel 308 281)   # inside the wrapped label: its white back colour
face=$(pixel 608 651)    # the form itself: the button face
after=$(strip)           # the status line has changed on the screen
# Resting on the wrapped label (client 24,100 to 424,124) shows its balloon tooltip below the
# pointer, drawn with its cut-out corners over the form.
xdotool mousemove --window "$window" 60 155
sleep 0.1
xdotool mousemove --window "$window" 68 161
sleep 1.2
tipColour=$(import -display "$display" -window root -crop 200x30+70+185 -depth 8 txt:- | grep -c '#FFFFE1')
corner=$(pixel 53 176)   # outside the balloon's rounded corner and beside its stem: what is
beside=$(pixel 56 166)   # below shows, not the colour key
# Dragging the caption moves the window with the hand.
xdotool mousemove --window "$window" 300 12 mousedown 1
sleep 0.2
xdotool mousemove_relative 40 20
sleep 0.2
xdotool mousemove_relative 60 30
sleep 0.2
xdotool mouseup 1
sleep 0.5
moved=$(xdotool getwindowgeometry "$window" | grep -o 'Position: [0-9]*,[0-9]*')
kill $app 2>/dev/null
wait $app 2>/dev/null
status=0
grep -q '^Click lblAuto$' "$events" || { echo "no click reached lblAuto"; status=1; }
grep -q '^KeyPress lblAuto 97$' "$events" || { echo "no key reached lblAuto"; status=1; }
grep -q '^KeyPress lblAuto 98$' "$events" || { echo "the second key is missing"; status=1; }
grep -q '^KeyPress lblAuto 233$' "$events" || { echo "the typed é is missing"; status=1; }
[ "$white" = "#FFFFFF" ] || { echo "label pixel is $white"; status=1; }
[ "$face" = "#F0F0F0" ] || { echo "form pixel is $face"; status=1; }
[ "$before" != "$after" ] || { echo "the status line did not change on the screen"; status=1; }
grep -q '^Tooltip lblText$' "$events" || { echo "no tooltip was shown for lblText"; status=1; }
[ "$tipColour" -gt 1000 ] || { echo "the tooltip is not on the screen ($tipColour pixels)"; status=1; }
[ "$corner" != "#FF00FF" ] && [ "$beside" != "#FF00FF" ] || { echo "the balloon shows its colour key"; status=1; }
[ "$moved" = "Position: 100,50" ] || { echo "after the drag the window is at $moved"; status=1; }
cat "$events"
exit $status
