#!/usr/bin/env bash
# Start-up to window shown, on a real X server: the viewer with 32,768
# functions in winapi.mdb against a minimal Qt window of the same size, run
# alternately in one session. Prints the medians and their ratio.
#
#   bench/startup_bench.sh BUILD_BIN_DIR [RUNS]
set -euo pipefail
BIN=$(cd "$1" && pwd)
RUNS=${2:-15}
WORK=$(mktemp -d)
XPID=""
trap '[[ -n "${XEV_PID:-}" ]] && kill "$XEV_PID" 2>/dev/null; [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null; grep -v XDG_RUNTIME "$WORK/stderr" 2>/dev/null | head -5; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/app"
cp "$BIN/zarn-win32api" "$WORK/app/"
python3 - "$WORK/src.json" <<'PY'
import json, sys
names = ["Api%06d" % (100000 + 7 * i) for i in range(32768)]
cols = ["函数", "example", "alias", "library", "win9x", "winnt", "description", "return_value", "remarks", "parameters"]
json.dump({"tables": [
    {"name": "funclass", "columns": [{"name": "name"}, {"name": "declaration", "type": "memo"}],
     "rows": [[n, 'Declare Function %s Lib "user32" (ByVal hwnd As Long) As Long' % n] for n in names]},
    {"name": "winfun", "columns": [{"name": c, "type": "text" if c == "函数" else "memo"} for c in cols],
     "rows": [[n, None, None, "user32.dll", "Yes", "Yes", "说明。", None, None, None] for n in names]}]},
    open(sys.argv[1], "w", encoding="utf-8"), ensure_ascii=False)
PY
"$BIN/jetdb" build "$WORK/src.json" "$WORK/app/winapi.mdb"

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" &
XPID=$!
for _ in $(seq 50); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' < "$WORK/display")"

# One long-lived client watches the root window for maps, so that timing
# costs no X connections of its own while a program starts.
coproc XEV { stdbuf -oL xev -root -event substructure; }
sleep 0.5

# Microseconds from exec to the program's window being mapped.
measure() {
  local start end pid line
  while read -r -t 0.05 line <&"${XEV[0]}"; do :; done # drain
  start=$(date +%s%N)
  "$@" >/dev/null 2>>"$WORK/stderr" &
  pid=$!
  while read -r -t 20 line <&"${XEV[0]}"; do
    [[ "$line" == MapNotify* ]] && break
  done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( (end - start) / 1000 ))
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

measure "$WORK/app/zarn-win32api" >/dev/null # warm the caches once
measure "$BIN/minimal_window" >/dev/null
: > "$WORK/ours"; : > "$WORK/minimal"
for _ in $(seq "$RUNS"); do
  measure "$WORK/app/zarn-win32api" >> "$WORK/ours"
  measure "$BIN/minimal_window" >> "$WORK/minimal"
done
ours=$(median < "$WORK/ours"); minimal=$(median < "$WORK/minimal")
echo "start-up to window shown, median of $RUNS: viewer with 32768 functions ${ours} us, minimal Qt window ${minimal} us"
awk -v a="$ours" -v b="$minimal" 'BEGIN { printf "ratio %.3f\n", a / b }'
