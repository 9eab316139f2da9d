#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and opens the viewer on the
# bundled sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
if [[ -x build/bin/zarn-win32api ]]; then
  exec build/bin/zarn-win32api
fi
# Until the window exists, show what the bundled database holds.
build/bin/jetdb tables build/bin/winapi.mdb
