#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test through
# CTest: the normal build, then the data layer again under ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_SANITIZE=ON -DZARN_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)" --target jet_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j"$(nproc)" -L data)
