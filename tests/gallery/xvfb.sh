# Sourced by the real-window tests: starts a virtual X server on a free display (the server
# picks the number and tells it through a file), exports DISPLAY, and stops the server on exit.
# Exits 77 (skipped) when a tool the tests need is missing.
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null 2>&1 || { echo "no $tool: skipped"; exit 77; }
done
xvfb_number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$xvfb_number" >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill $xvfb 2>/dev/null; rm -f "$xvfb_number"; }
trap cleanup EXIT
for i in $(seq 100); do [ -s "$xvfb_number" ] && break; sleep 0.1; done
display=":$(head -1 "$xvfb_number")"
[ "$display" != ":" ] || { echo "no X server could start here: skipped"; exit 77; }
export DISPLAY="$display"
for i in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
