#!/bin/bash
# Programs, documents and windows from scripts, run as processes:
# 起動 and エクスプローラーで開く hand documents, folders and addresses to a fake
# xdg-open on PATH and start programs with the arguments written;
# 起動して終了まで待機 waits for a script run by a second runtime; under Xvfb,
# ウインドウ列挙 and キー送信 reach another program's window.
# Usage: system_test.sh RUNTIME
set -u
runtime="$1"
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1
failures=0

script() { printf '%s\r\n' "${@:2}" | iconv -f UTF-8 -t CP932 > "$1"; }

expect() {  # NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1"
    echo "  expected: $2"
    echo "  actual:   $3"
    failures=$((failures + 1))
  fi
}

# Waits up to five seconds for a file to appear.
await() { for _ in $(seq 50); do [ -s "$1" ] && return 0; sleep 0.1; done; return 1; }

mkdir bin
cat > bin/xdg-open <<'SH'
#!/bin/sh
printf '%s\n' "$@" >> "$OPENED"
SH
cat > bin/writer.sh <<'SH'
#!/bin/sh
printf '[%s]' "$@" > "$WRITTEN"
SH
chmod +x bin/xdg-open bin/writer.sh
export PATH="$work/bin:$PATH" OPENED="$work/opened.log" WRITTEN="$work/written.log" YURAHOSI_CONSOLE=1
echo "document" > doc.txt

script open.yrh '「http://example.com/a b」を、起動' '「doc.txt」を、起動' '「docs」へ、フォルダ作成' '「docs」を、エクスプローラーで開く'
"$runtime" open.yrh
for _ in $(seq 50); do [ "$(wc -l < opened.log 2>/dev/null)" = 3 ] && break; sleep 0.1; done
# The openers run side by side, so their lines come in any order.
expect "documents, folders and addresses go to the opener" $'doc.txt\ndocs\nhttp://example.com/a b' "$(LC_ALL=C sort opened.log)"

script start.yrh '『writer.sh "x y" z 表』を、起動'
"$runtime" start.yrh
await written.log
expect "a program gets the arguments as written" "[x y][z][表]" "$(cat written.log)"

script child.yrh '「子が書いた」を、「child.txt」へ、書く'
script parent.yrh '「child.yrh」を、起動して終了まで待機' 'Aに、「child.txt」を、読む' 'Aを、言う' \
  '『sh -c "exit 3"』を、起動して終了まで待機' '「no-such-program」を、起動して終了まで待機' '「済」と、言う'
expect "起動して終了まで待機 waits for a script run by another runtime" $'子が書いた\n済' "$("$runtime" parent.yrh)"

# Another program's window under Xvfb: listed, brought to the front and
# typed into (xev reports the keys it receives).
if command -v Xvfb > /dev/null && command -v xev > /dev/null; then
  display=":$((90 + RANDOM % 400))"
  Xvfb "$display" -screen 0 800x600x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  DISPLAY="$display" xev -event keyboard > xev.out 2> /dev/null &
  xev_pid=$!
  for _ in $(seq 50); do grep -q "MapNotify\|Expose\|KeymapNotify" xev.out 2>/dev/null && break; sleep 0.1; done
  sleep 0.5
  script windows.yrh 'ウインドウ列挙' 'それを、「windows.txt」へ、書く' '「Event」に、「+a~」を、キー送信' 'おわり'
  DISPLAY="$display" YURAHOSI_CONSOLE=0 QT_QPA_PLATFORM=xcb timeout 30 "$runtime" windows.yrh > /dev/null 2>&1
  sleep 0.5
  kill "$xev_pid" 2>/dev/null
  expect "ウインドウ列挙 lists the other window" "yes" "$(grep -q '^Event Tester' windows.txt && echo yes || echo no)"
  expect "キー送信 types into the other window" $'Shift_L\nA\nA\nShift_L\nReturn\nReturn' \
    "$(grep -o 'keysym 0x[0-9a-f]*, [A-Za-z_]*' xev.out | sed 's/.*, //')"
else
  echo "FAIL: Xvfb and xev are needed for the window test"
  failures=$((failures + 1))
fi

[ "$failures" = 0 ]
