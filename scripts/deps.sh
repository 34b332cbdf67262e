#!/usr/bin/env bash
# Installs the Debian packages Orvane builds and tests with. Safe to run again:
# it installs only what is missing. Needs root (or sudo) on Debian 12.
# --peers adds Qt 5 Widgets, which only the peer benchmark (bench/peers/qt, ./run peers) uses;
# the library never needs it. --check [--peers] only tells whether everything is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfreetype-dev libharfbuzz-dev libfontconfig-dev libicu-dev
  libpng-dev libjpeg62-turbo-dev libgif-dev libwebp-dev libtiff-dev
  libsdl2-dev libcurl4-openssl-dev libsqlite3-dev nlohmann-json3-dev liblua5.4-dev
  xvfb xdotool imagemagick doxygen python3
  fonts-dejavu-core fonts-liberation fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji fonts-droid-fallback
)

# The Qt 5 peer: headers and CMake files, and libqt5gui5, whose offscreen platform plugin lets
# the widgets paint with no display.
peer_packages=(qtbase5-dev libqt5gui5)

check=false
for arg in "$@"; do
  case "$arg" in
    --check) check=true ;;
    --peers) packages+=("${peer_packages[@]}") ;;
    *)
      echo "usage: scripts/deps.sh [--check] [--peers]" >&2
      exit 2
      ;;
  esac
done

# Lists the packages that are not installed yet.
missing_packages() {
  local p
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$p"
    fi
  done
}

if $check; then
  # Exit status 0 when everything is present; used by ./run to skip the install.
  [ -z "$(missing_packages)" ]
  exit
fi

mapfile -t todo < <(missing_packages)
if [ ${#todo[@]} -eq 0 ]; then
  echo "deps: all packages present"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "deps: installing ${todo[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${todo[@]}"
