#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test through
# CTest: the normal build; a Release build that must compile and package;
# then the data layer and a long random session under ASan+UBSan+LSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
# The code is clang-formatted (Debian 12's clang-format, .clang-format at the root).
find app data details tools tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
# Our own builds treat warnings as errors; a packager's does not.
scripts/build.sh -DZARN_WERROR=ON
(cd build && ctest --output-on-failure -j"$(nproc)")

# A packager's optimised build must compile too (GCC warns differently at -O3).
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN_WERROR=ON -DZARN_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
# ... and make a Debian package that installs, starts and goes again.
tests/e2e/deb_install.sh build-release

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_SANITIZE=ON -DZARN_WERROR=ON -DZARN_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)" --target jet_tests soak_window
# The data layer, and a 20,000-step random session through the real window,
# with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j"$(nproc)" -L 'data|soak')
