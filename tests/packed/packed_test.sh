#!/bin/bash
# Packed executables end to end: a copy of the runtime with a container
# appended runs its member yurahosi.yrh; "-run" turns that off; "-runtime"
# runs another executable's packed script; "-resource" names a container
# whose members stand in for files; broken containers give their messages.
# Usage: packed_test.sh RUNTIME
set -u
runtime="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export YURAHOSI_CONSOLE=1
failures=0

# Writes a script (given in UTF-8, lines ending in CR LF) as Shift_JIS.
script() { printf '%s\r\n' "${@:2}" | iconv -f UTF-8 -t CP932 > "$1"; }

# check NAME EXPECTED-STATUS EXPECTED-OUTPUT COMMAND...: the output (stdout and
# stderr, with the work folder written $W) and the exit status must match.
check() {
  local name="$1" status="$2" expected="$3"
  shift 3
  local actual code
  actual=$("$@" 2>&1 < /dev/null)
  code=$?
  actual=${actual//$work/\$W}
  if [ "$actual" != "$expected" ] || [ "$code" != "$status" ]; then
    echo "FAIL: $name"
    echo "  expected (status $status): $expected"
    echo "  actual   (status $code): $actual"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

script yurahosi.yrh '「パック済み」と、言う' '「sub.yrh」を、取り込む' 'Aに、「data.txt」を、読む' 'Aを、言う'
script sub.yrh '「梱包された取り込み」と、言う'
printf '中身' | iconv -f UTF-8 -t CP932 > data.txt
# The container is made by a script, as the README shows: the script and the
# included file scrambled, the data file stored as it is.
script pack.yrh '「yurahosi.yrh=yurahosi.yrh=1\nsub.yrh=sub.yrh=1\ndata.txt=data.txt=0」を、「app.fmx」へ、ファイル合成'
check "packing script" 0 "" "$runtime" pack.yrh
cat "$runtime" app.fmx > app && chmod +x app
mkdir run && cd run || exit 1
script hello.yrh '「ふつう」と、言う'
packed=$'パック済み\n梱包された取り込み\n中身'

check "packed executable ignores its parameters" 0 "$packed" ../app -debug hello.yrh x
check "-run first turns the packed script off" 0 "ふつう" ../app -run hello.yrh
check "-runtime runs another executable's packed script" 0 "$packed" "$runtime" -runtime ../app a b
check "-resource lends members to a plain script" 0 "梱包された取り込み" "$runtime" -resource ../app.fmx ../sub.yrh

(cat "$runtime"; printf 'xx'; cat ../app.fmx) > ../shifted && chmod +x ../shifted
check "container not at the end of the image" 1 \
  '[エラー] (0行目): ファイルの展開に失敗しました。"$W/shifted"は、TFileMixHeaderでは形式が違うため読めません。' ../shifted
cp "$runtime" ../plain
check "-runtime without a container" 1 "指定されたプログラムファイルは壊れています。" "$runtime" -runtime ../plain
check "-runtime on a missing file" 1 \
  '[エラー] (0行目): ファイルの展開に失敗しました。Cannot open file "../missing"' "$runtime" -runtime ../missing
check "-resource that is not a container" 1 "[エラー] (0行目): リソースファイルの取り込みに失敗しました。" \
  "$runtime" -resource hello.yrh hello.yrh

[ "$failures" = 0 ]
