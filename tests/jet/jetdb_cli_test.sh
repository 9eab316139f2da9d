#!/usr/bin/env bash
# The jetdb tool as a user meets it: build from JSON, list, dump, and the
# exit status of each kind of failure.
set -euo pipefail
JETDB=$1
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat > "$DIR/src.json" <<'JSON'
{"tables":[
 {"name":"funclass","columns":[{"name":"name","type":"text","size":64},{"name":"declaration","type":"text"}],
  "rows":[["GetTickCount","Declare Function GetTickCount Lib \"kernel32\" () As Long"],["Beep",null],["空",""]]},
 {"name":"winfun","columns":[{"name":"函数","type":"text"},{"name":"example","type":"memo"}],
  "rows":[["Beep","Beep 440, 100\r\n' 一最"]]}]}
JSON

for flag in "" --jet3; do
  out="$DIR/db$flag.mdb"
  "$JETDB" build "$DIR/src.json" "$out" $flag || fail "build $flag"
  [[ "$("$JETDB" tables "$out")" == $'funclass\nwinfun' ]] || fail "tables $flag"
  "$JETDB" dump "$out" funclass > "$DIR/f.json"
  "$JETDB" dump "$out" winfun > "$DIR/w.json"
  python3 - "$DIR/f.json" "$DIR/w.json" <<'PY' || fail "dump $flag"
import json, sys
f = json.load(open(sys.argv[1], encoding="utf-8"))
w = json.load(open(sys.argv[2], encoding="utf-8"))
assert f["columns"] == [{"name": "name", "type": "text"}, {"name": "declaration", "type": "text"}], f["columns"]
assert f["rows"] == [["GetTickCount", 'Declare Function GetTickCount Lib "kernel32" () As Long'],
                     ["Beep", None], ["空", ""]], f["rows"]
assert w["columns"] == [{"name": "函数", "type": "text"}, {"name": "example", "type": "memo"}], w["columns"]
assert w["rows"] == [["Beep", "Beep 440, 100\r\n' 一最"]], w["rows"]
PY
done

status() { set +e; "$@" >/dev/null 2>"$DIR/err"; local s=$?; set -e; echo $s; }
[[ $(status "$JETDB") == 2 ]] || fail "no arguments should be a usage error"
[[ $(status "$JETDB" frobnicate x) == 2 ]] || fail "unknown command should be a usage error"
[[ $(status "$JETDB" dump "$DIR/db.mdb") == 2 ]] || fail "missing table argument should be a usage error"
[[ $(status "$JETDB" tables "$DIR/missing.mdb") == 1 ]] || fail "missing file should fail"
grep -q "missing.mdb" "$DIR/err" || fail "the message should name the file"
[[ $(status "$JETDB" dump "$DIR/db.mdb" nosuch) == 1 ]] || fail "missing table should fail"
grep -q "nosuch" "$DIR/err" || fail "the message should name the table"
echo "not json" > "$DIR/bad.json"
[[ $(status "$JETDB" build "$DIR/bad.json" "$DIR/bad.mdb") == 1 ]] || fail "bad JSON should fail"
[[ ! -e "$DIR/bad.mdb" ]] || fail "a failed build must not leave a file"
echo '{"tables":[{"name":"t","columns":[{"name":"c","size":3}],"rows":[["toolong"]]}]}' > "$DIR/long.json"
[[ $(status "$JETDB" build "$DIR/long.json" "$DIR/long.mdb") == 1 ]] || fail "too long text should fail"
grep -q "t" "$DIR/err" || fail "the message should name the table"
[[ ! -e "$DIR/long.mdb" ]] || fail "a refused build must not leave a file"
echo "jetdb CLI: all checks passed"
