#!/usr/bin/env bash
# A screen reader's view of the viewer: the real program on Xvfb with the
# accessibility bus, its tree read from outside the process over AT-SPI.
#
#   a11y_atspi.sh BIN_DIR
set -euo pipefail
BIN_DIR=$1
for tool in Xvfb xdotool dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup-debian.sh installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is not installed"; exit 1; }

WORK=$(mktemp -d)
XPID=""
cleanup() {
  [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

mkdir -p "$WORK/app"
cp "$BIN_DIR/zarn-win32api" "$BIN_DIR/winapi.mdb" "$WORK/app/"

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 50); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' < "$WORK/display")"
[[ "$DISPLAY" != ":" ]] || { echo "FAIL: Xvfb did not start"; exit 1; }

# One session bus for the program and the reader; the accessibility bus is
# started on demand by it.
export APP_DIR="$WORK/app"
rc=0
timeout -k 5 90 dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/a11y_atspi.py" 2> >(grep -v 'dbus-daemon\|SpiRegistry' >&2) || rc=$?
exit $rc
