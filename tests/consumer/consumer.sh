#!/bin/sh
# An application outside the tree, built against the library as `cmake --install` lays it out.
# Usage: consumer.sh STEP BUILD_DIR SOURCE_DIR WORK_DIR, STEP being
#   install     installs BUILD_DIR into WORK_DIR/prefix and checks what a consumer needs is there
#   cmake       builds examples/consumer with find_package(Orvane) and runs it headless
#   pkg-config  builds the same main.cpp with one c++ command from pkg-config and runs it
#   readme      builds the program of the README's quick start with pkg-config and runs it
#   version     asks find_package for Orvane 99: configuring must fail on the version, naming
#               the installed one ($ORVANE_VERSION)
set -eu
step="$1"
build="$2"
source="$3"
work="$4"
prefix="$work/prefix"
consumer="$source/examples/consumer"

fail() {
  echo "consumer: $*" >&2
  exit 1
}

case "$step" in
  install)
    rm -rf "$work"
    mkdir -p "$work"
    cmake --install "$build" --prefix "$prefix" >"$work/install.log"
    for f in include/orvane/orvane.h include/orvane/host/Form.h include/orvane/Version.h \
        lib/cmake/Orvane/OrvaneConfig.cmake lib/cmake/Orvane/OrvaneConfigVersion.cmake \
        lib/cmake/Orvane/OrvaneTargets.cmake lib/pkgconfig/orvane.pc lib/liborvane.so; do
      [ -e "$prefix/$f" ] || fail "$f is not installed"
    done
    # Internal headers stay inside, and no installed header needs a third-party one.
    if find "$prefix/include" -name '*Internal.h' -o -name PropertyBagJson.h | grep .; then
      fail "internal headers are installed"
    fi
    if grep -rlE '#include <(nlohmann|SDL|cairo|ft2build|hb|lua|curl|png|jpeglib|unicode)' \
        "$prefix/include"; then
      fail "an installed header includes a third-party header"
    fi
    ;;
  cmake)
    # Only the installed package may be found: no package registries.
    cmake -S "$consumer" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
      -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF >"$work/cmake-configure.log" ||
      { cat "$work/cmake-configure.log"; fail "configuring failed"; }
    grep -q "^Orvane_DIR:PATH=$prefix/" "$work/cmake/CMakeCache.txt" ||
      fail "find_package found another Orvane: $(grep '^Orvane_DIR' "$work/cmake/CMakeCache.txt")"
    flock /tmp/orvane-build.lock cmake --build "$work/cmake"
    "$work/cmake/consumer"
    ;;
  pkg-config)
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
    libdir=$(pkg-config --variable=libdir orvane)
    [ "$(cd "$libdir" && pwd -P)" = "$(cd "$prefix/lib" && pwd -P)" ] ||
      fail "pkg-config points at $libdir, not the installation"
    flock /tmp/orvane-build.lock \
      c++ "$consumer/main.cpp" $(pkg-config --cflags --libs orvane) -Wl,-rpath,"$libdir" \
      -Wall -Wextra -o "$work/pkg-config-consumer"
    "$work/pkg-config-consumer"
    ;;
  readme)
    # The first C++ block of the section "Quick start in C++".
    awk '/^## Quick start in C\+\+/ { q = 1 } q && /^```cpp/ { f = 1; next } f && /^```/ { exit } f' \
      "$source/README.md" >"$work/readme.cpp"
    [ -s "$work/readme.cpp" ] || fail "the README has no quick-start program"
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
    flock /tmp/orvane-build.lock \
      c++ "$work/readme.cpp" $(pkg-config --cflags --libs orvane) \
      -Wl,-rpath,"$(pkg-config --variable=libdir orvane)" -Wall -Wextra -o "$work/readme"
    [ "$("$work/readme")" = clicked ] || fail "the README's program did not see its click"
    ;;
  version)
    if cmake -S "$consumer" -B "$work/version" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
        -DORVANE_WANTED_VERSION=99 >"$work/version.log" 2>&1; then
      fail "find_package(Orvane 99) was accepted"
    fi
    cat "$work/version.log"
    # CMake wraps the message; it names the version asked for and the one installed.
    message=$(tr -s ' \n' ' ' <"$work/version.log")
    case "$message" in
      *'compatible with requested version "99"'*"OrvaneConfig.cmake, version: $ORVANE_VERSION"*) ;;
      *) fail "configuring failed without the version message" ;;
    esac
    ;;
  *)
    fail "unknown step $step"
    ;;
esac
