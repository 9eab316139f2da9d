#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack from a build tree,
# installed with apt-get, started through its launcher on Xvfb (the window
# shows with its title), and removed again.
#
#   deb_install.sh BUILD_DIR
set -euo pipefail
BUILD_DIR=$(readlink -f "$1")
SUDO=""
[[ $(id -u) -eq 0 ]] || SUDO="sudo"
WORK=$(mktemp -d)
XPID=""; APID=""
cleanup() {
  [[ -n "$APID" ]] && kill "$APID" 2>/dev/null || true
  [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null || true
  $SUDO apt-get remove -y -qq zarn-win32api >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$BUILD_DIR" && cpack -G DEB -B "$WORK" >/dev/null) || fail "cpack could not build the package"
DEB=$(ls "$WORK"/zarn-win32api_*.deb)
CONTENTS=$(dpkg-deb -c "$DEB")
grep -q ' ./usr/lib/zarn-win32api/winapi.mdb$' <<<"$CONTENTS" || fail "winapi.mdb is not beside the program"
grep -q ' ./usr/lib/zarn-win32api/zarn-win32api$' <<<"$CONTENTS" || fail "the program is not in /usr/lib/zarn-win32api"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
grep -q 'libqt6widgets6' <<<"$DEPENDS" || fail "the package does not declare Qt"
grep -q 'fonts-arphic-uming' <<<"$DEPENDS" || fail "the package does not declare the Chinese font"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$DEB" >/dev/null || fail "apt-get could not install $DEB"
[[ -x /usr/bin/zarn-win32api && -f /usr/share/applications/zarn-win32api.desktop ]] || fail "launcher or desktop file missing"

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 50); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' < "$WORK/display")"
(cd / && QT_QPA_PLATFORM=xcb zarn-win32api >"$WORK/app.log" 2>&1) &
APID=$!
WIN=$(timeout 30 xdotool search --sync --onlyvisible --name 'Zarn_Win32API' | head -1) || true
[[ -n "$WIN" ]] || { cat "$WORK/app.log"; fail "the installed viewer showed no window"; }
[[ "$(xdotool getwindowname "$WIN")" == "Zarn_Win32API 中文帮助" ]] || fail "the window is not titled as designed"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
[[ "$WIDTH" == 634 && "$HEIGHT" == 444 ]] || fail "the window is ${WIDTH}x${HEIGHT}, not 634x444"
echo "deb_install: 1 passed, 0 failed"
