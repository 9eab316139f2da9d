#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and opens the viewer on the
# bundled sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
exec build/bin/zarn-win32api
