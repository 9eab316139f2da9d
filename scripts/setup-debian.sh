#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Idempotent:
# packages already present are not fetched again.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config python3 clang-format
  # the Debian package: cpack's dependency list comes from dpkg-shlibdeps
  dpkg-dev
  qt6-base-dev libgl-dev libfontconfig-dev
  nlohmann-json3-dev
  fonts-arphic-uming fonts-noto-cjk
  # tests: the libmdb oracle, GoogleTest, Google Benchmark, clang for the fuzzer
  mdbtools mdbtools-dev libglib2.0-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  # end-to-end checks on a real X server
  xvfb xdotool xclip x11-utils
  # the screen-reader check: the accessibility bus and a client for it
  at-spi2-core python3-pyatspi dbus
  # Windows headers, import libraries and a cross compiler, to prove the
  # bundled content's declarations, constants and structures
  mingw-w64-x86-64-dev mingw-w64-i686-dev gcc-mingw-w64-i686 binutils-mingw-w64-i686
  # C++ for the probe of prototypes, and the 64-bit side for VBA 7
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
