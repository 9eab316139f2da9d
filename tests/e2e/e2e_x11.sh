#!/usr/bin/env bash
# End to end on a real X server: the built viewer, a database beside it,
# keystrokes and clicks from xdotool, and the clipboard read back with xclip
# while the program runs.
#
#   e2e_x11.sh BIN_DIR
set -euo pipefail
BIN_DIR=$1
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup-debian.sh installs it)"; exit 1; }
done

WORK=$(mktemp -d)
XPID=""; APID=""
cleanup() {
  [[ -n "$APID" ]] && kill "$APID" 2>/dev/null || true
  [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [[ -f "$WORK/app.log" ]] && sed 's/^/  app: /' "$WORK/app.log"; exit 1; }

# The program and its database, side by side in a folder of their own.
mkdir -p "$WORK/app"
cp "$BIN_DIR/zarn-win32api" "$WORK/app/"
DECL='Declare Function GetTickCount Lib "kernel32" () As Long'
EXAMPLE=$'Dim t As Long\r\nt = GetTickCount()\r\nMsgBox "已运行 " & t \\ 1000 & " 秒"'
python3 - "$WORK/src.json" "$DECL" "$EXAMPLE" <<'PY'
import json, sys
out, decl, example = sys.argv[1:4]
json.dump({"tables": [
    {"name": "funclass", "columns": [{"name": "name"}, {"name": "declaration", "type": "memo"}],
     "rows": [["GetTickCount", decl], ["Beep", "Declare Function Beep Lib \"kernel32\" (ByVal f As Long, ByVal d As Long) As Long"]]},
    {"name": "winfun", "columns": [{"name": n, "type": "memo" if n not in ("函数",) else "text"} for n in
        ["函数", "example", "alias", "library", "win9x", "winnt", "description", "return_value", "remarks", "parameters"]],
     "rows": [["GetTickCount", example, None, "kernel32.dll", "Yes", "Yes", "取得系统启动以来的毫秒数。", "毫秒数", None, None],
              ["Beep", None, None, "kernel32.dll", "Yes", "Yes", "发出声音。", None, None, None]]}]},
    open(out, "w", encoding="utf-8"), ensure_ascii=False)
PY
"$BIN_DIR/jetdb" build "$WORK/src.json" "$WORK/app/winapi.mdb"

# A private X server on a free display.
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" &
XPID=$!
for _ in $(seq 50); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' < "$WORK/display")"
[[ "$DISPLAY" != ":" ]] || fail "Xvfb did not start"

# Without winapi.mdb beside it the program reports the error, ends with a
# failure status and never shows its window.
mkdir -p "$WORK/nodb"
cp "$BIN_DIR/zarn-win32api" "$WORK/nodb/"
LANG=C.UTF-8 "$WORK/nodb/zarn-win32api" >"$WORK/nodb.log" 2>&1 &
NPID=$!
BOX=$(timeout 30 xdotool search --sync --onlyvisible --name 'Zarn_Win32API' | head -1)
[[ -n "$BOX" ]] || fail "no error report appeared for the missing database"
grep -q "Run-time error '3024'.*winapi.mdb" "$WORK/nodb.log" || fail "no report of the missing database on stderr"
eval "$(xdotool getwindowgeometry --shell "$BOX")"
[[ "$WIDTH" != 634 ]] || fail "the main window appeared although the database is missing"
timeout 10 xdotool windowfocus --sync "$BOX" key Return || fail "could not answer the error report"
for _ in $(seq 50); do kill -0 "$NPID" 2>/dev/null || break; sleep 0.1; done
set +e; wait "$NPID"; status=$?; set -e
[[ $status -ne 0 ]] || fail "the program ended with status 0 after the error"

LANG=C.UTF-8 "$WORK/app/zarn-win32api" >"$WORK/app.log" 2>&1 &
APID=$!
WIN=$(timeout 30 xdotool search --sync --onlyvisible --name 'Zarn_Win32API' | head -1)
[[ -n "$WIN" ]] || fail "the window did not appear"
sleep 0.5
click() { xdotool mousemove --window "$WIN" "$1" "$2" click "${3:-1}"; sleep 0.3; }
clip() { xclip -selection clipboard -o 2>/dev/null || true; }

# Type a prefix into the search box (it has the focus), then double-click the
# line it selected: the first line of the list.
xdotool type --delay 60 "gett"
sleep 0.3
xdotool mousemove --window "$WIN" 60 83 click --repeat 2 --delay 80 1
sleep 0.5

# Alt+C copies the declaration box.
echo -n sentinel | xclip -selection clipboard
xdotool key alt+c
sleep 0.6
[[ "$(clip)" == "Private $DECL" ]] || fail "Alt+C put '$(clip)' on the clipboard"

# 实 例, then 复 制: the example, CR LF and Chinese included.
click 602 426
echo -n sentinel | xclip -selection clipboard
click 542 426
[[ "$(clip)" == "$EXAMPLE" ]] || fail "the example copy gave '$(clip)'"
clip | od -c | grep -q '\\r  \\n' || fail "the example lost its CR LF line breaks"

# 返 回 brings the details back; the copy button hides again.
click 602 426
echo -n sentinel | xclip -selection clipboard
click 542 426
[[ "$(clip)" == "sentinel" ]] || fail "the copy button still worked after going back"

kill -0 "$APID" 2>/dev/null || fail "the viewer ended early"
echo "e2e: declaration and example arrived on the X clipboard exactly"
