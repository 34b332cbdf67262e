#!/bin/sh
# Runs every example script against its form in a real window on a virtual X server: the same
# scripts as headless, on real time and the real display.
# Usage: real-window-scripts.sh FORMRUN FORM SCRIPT... Exit 77 (skipped) without the tools.
formrun="$1"
form="$2"
shift 2
. "$(dirname "$0")/xvfb.sh"
status=0
for script in "$@"; do
  if ! timeout 60 "$formrun" "$form" --window --script "$script"; then
    echo "failed in a real window: $script"
    status=1
  fi
done
exit $status
