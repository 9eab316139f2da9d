#!/usr/bin/env bash
# The layers run one way: data/jet -> data -> details -> app. Fails when code
# under data/ or details/ includes a header of the window (app/) or of Qt
# Widgets, or when data/ includes Qt at all, or data/jet anything above it.
set -uo pipefail
root=${1:?usage: layers_test.sh <source root>}
cd "$root"
status=0
check() { # description, folder, pattern
  local hits
  # shellcheck disable=SC2086 # $2 is a list of folders
  hits=$(grep -rnE "$3" $2 --include='*.h' --include='*.cpp' || true)
  if [[ -n $hits ]]; then
    echo "$1:"
    echo "$hits"
    status=1
  fi
}
widgets='#include *[<"](QtWidgets/|Q(Widget|Application|LineEdit|PushButton|Label|CheckBox|RadioButton|ListWidget|TextEdit|PlainTextEdit|AbstractButton|Frame|Dialog|MessageBox|Style|ScrollBar|AbstractScrollArea|Layout|BoxLayout|GridLayout)\b)'
check "data/ or details/ includes the window" "data details" '#include *"app/'
check "data/ or details/ includes Qt Widgets" "data details" "$widgets"
check "data/ includes details/" data '#include *"details/'
check "data/ includes Qt" data '#include *<Q'
check "data/jet includes what sits above it" data/jet '#include *"(data/[a-z_]+\.h|details/|app/|tools/)'
[[ $status -eq 0 ]] && echo "layers: data/jet -> data -> details -> app, one way"
exit $status
