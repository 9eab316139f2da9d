#!/usr/bin/env bash
# Start-up to window shown and peak memory at that moment, on a real X
# server: the viewer with the bundled winapi.mdb and with 32,768 functions,
# against a Qt window of the same size that shows one label of Chinese text in
# the viewer's font (the yardstick) and an empty one, run alternately in one
# session. Prints the medians and the ratios to the yardstick.
#
#   bench/startup_bench.sh BUILD_BIN_DIR [RUNS]
set -euo pipefail
BIN=$(cd "$1" && pwd)
RUNS=${2:-15}
WORK=$(mktemp -d)
XPID=""
trap '[[ -n "${XEV_PID:-}" ]] && kill "$XEV_PID" 2>/dev/null; [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null; grep -v XDG_RUNTIME "$WORK/stderr" 2>/dev/null | head -5; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/app" "$WORK/bundled"
cp "$BIN/zarn-win32api" "$WORK/app/"
cp "$BIN/zarn-win32api" "$BIN/winapi.mdb" "$WORK/bundled/"
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

# Microseconds from exec to the program's window being mapped, and the
# program's peak resident memory (KiB) at that moment.
measure() {
  local start end pid line hwm
  while read -r -t 0.05 line <&"${XEV[0]}"; do :; done # drain
  start=$(date +%s%N)
  "$@" >/dev/null 2>>"$WORK/stderr" &
  pid=$!
  while read -r -t 20 line <&"${XEV[0]}"; do
    [[ "$line" == MapNotify* ]] && break
  done
  end=$(date +%s%N)
  hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000 )) $hwm"
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

programs=(bundled large label empty)
run() {
  case $1 in
    bundled) measure "$WORK/bundled/zarn-win32api" ;;
    large) measure "$WORK/app/zarn-win32api" ;;
    label) measure "$BIN/label_window" ;;
    empty) measure "$BIN/minimal_window" ;;
  esac
}
for p in "${programs[@]}"; do run "$p" >/dev/null; : > "$WORK/res-$p"; done # warm the caches once
for _ in $(seq "$RUNS"); do
  for p in "${programs[@]}"; do run "$p" >> "$WORK/res-$p"; done
done
declare -A us kib
for p in "${programs[@]}"; do
  us[$p]=$(cut -d' ' -f1 < "$WORK/res-$p" | median)
  kib[$p]=$(cut -d' ' -f2 < "$WORK/res-$p" | median)
done
echo "medians of $RUNS alternating runs: start-up to window shown (us), peak RSS (KiB)"
for p in "${programs[@]}"; do
  awk -v n="$p" -v u="${us[$p]}" -v k="${kib[$p]}" -v U="${us[label]}" -v K="${kib[label]}" \
    'BEGIN { printf "%-8s %8d us %7d KiB   %.3fx start-up  %.3fx memory of the label yardstick\n", n, u, k, u / U, k / K }'
done
