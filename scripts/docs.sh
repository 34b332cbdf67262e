#!/usr/bin/env bash
# Builds the API reference with Doxygen (docs/Doxyfile) into OUT (default build/docs) and fails
# when Doxygen warns: a public member without a comment, or a comment it cannot read. The
# warnings are in OUT/warnings.log.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/docs}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
rm -rf "$out/html" "$out/warnings.log"

version=$(sed -n 's/^project(Orvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ORVANE_DOCS_OUT="$out" ORVANE_VERSION="$version" doxygen docs/Doxyfile

count=$(grep -c 'warning:' "$out/warnings.log" || true)
if [ "$count" -ne 0 ]; then
  cat "$out/warnings.log" >&2
  echo "docs: $count warning(s); the reference is in $out/html, the warnings in $out/warnings.log" >&2
  exit 1
fi
echo "docs: $out/html/index.html (no warnings)"
