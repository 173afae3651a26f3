#!/usr/bin/env bash
# The text check passes a tree whose Han, Cyrillic and Arabic texts are in comments,
# in an allowed file or an allowed literal, and fails each planted fixed text: plain,
# escaped, raw, prefixed or a character.
set -uo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app/main_window" "$work/editors/page" "$work/device/pane"
cat >"$work/editors/page/page.cpp" <<'CPP'
// The default "宋体" face; /* "Отправить" */ stays a comment.
const auto face = QStringLiteral(u"宋体");
const char* url = "http://host/path"; // "фон"
const char quote = '"';
CPP
echo 'const char* names[] = {"中文", "русский ", "فارسی"};' >"$work/app/main_window/main_menu.cpp"
python3 "$check" "$work" >/dev/null || { echo "a clean tree failed"; exit 1; }

status=0
for planted in 'QStringLiteral("定时锁屏")' 'u"Отправить"' '"\u4e0b\u4e00\u6b65"' \
               'R"x(سلام)x"' "u'暗'"; do
  echo "auto text = $planted;" >"$work/device/pane/pane.cpp"
  if python3 "$check" "$work" >/dev/null 2>&1; then
    echo "not caught: $planted"
    status=1
  fi
done
[ $status -eq 0 ] && echo "The text check catches every planted fixed text."
exit $status
