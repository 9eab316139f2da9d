#!/usr/bin/env bash
# Proves content files against the Windows headers and import libraries:
#   scripts/check-content.sh [-v] [Name ...]   (no names: every file)
# Builds only the checker, in build-check/, so it can run beside other builds.
set -euo pipefail
cd "$(dirname "$0")/.."
exec 9>/tmp/zarn-check-content.lock
flock 9
if [[ ! -f build-check/build.ninja ]]; then
  cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN_BUILD_TESTS=OFF -DZARN_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-check --target content_check >/dev/null
flock -u 9
exec build-check/bin/content_check content/functions "$@"
