#!/usr/bin/env bash
# The layer check passes a tree whose includes go down and whose command ids are
# numbers only in id headers, and fails each planted upward or sideways include and a
# planted id number.
set -uo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

plant() {  # plant FILE INCLUDE
  mkdir -p "$work/$(dirname "$1")"
  echo "#include \"$2\"" >>"$work/$1"
}

plant editors/page/page.cpp controls/shell/window_globals.h
plant device/send/pane.cpp sdk/Corvanix.h
plant app/tree/tree.cpp app/builder/builder.h
plant app/main_window/window.cpp editors/page/page.h
plant app/main.cpp app/startup/start.h
# Ids in their header; numbers outside the ids' range, in hex or inside a name elsewhere.
mkdir -p "$work/controls/shell"
echo "constexpr UINT ID_FILE_NEW = 32800;" >"$work/controls/shell/main_window_ids.h"
echo "int limit = 32767, other = 34000, mask = 0x32800, kId32800;" \
  >>"$work/app/tree/tree.cpp"
bash "$check" "$work" >/dev/null || { echo "a clean tree failed"; exit 1; }

status=0
for planted in "editors/page/up.cpp app/main_window/window.h" \
               "editors/page/side.cpp device/send/pane.h" \
               "device/send/side.cpp editors/page/page.h" \
               "app/canvas/up.cpp app/main_window/window.h" \
               "app/tree/side.cpp app/send/pane.h"; do
  set -- $planted
  plant "$1" "$2"
  if bash "$check" "$work" >/dev/null 2>&1; then
    echo "not caught: $1 including $2"
    status=1
  fi
  rm "$work/$1"
done

echo "SendMessage(page, WM_COMMAND, 32787u, 0);" >"$work/editors/page/literal.cpp"
if bash "$check" "$work" >/dev/null 2>&1; then
  echo "not caught: an id number outside the id headers"
  status=1
fi
exit $status
