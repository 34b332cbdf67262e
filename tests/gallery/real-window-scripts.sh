#!/bin/sh
# Runs every example script in a real window on a virtual X server: the same scripts as
# headless, on real time and the real display, each against the example form of its name when
# there is one, else the default form.
# Usage: real-window-scripts.sh FORMRUN DEFAULT-FORM SCRIPT... Exit 77 (skipped) without the tools.
formrun="$1"
default_form="$2"
shift 2
. "$(dirname "$0")/xvfb.sh"
forms="$(dirname "$default_form")"
status=0
for script in "$@"; do
  form="$forms/$(basename "$script" .lua).json"
  [ -f "$form" ] || form="$default_form"
  if ! timeout 60 "$formrun" "$form" --window --script "$script"; then
    echo "failed in a real window: $script"
    status=1
  fi
done
exit $status
