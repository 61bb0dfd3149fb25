#!/usr/bin/env bash
# Plants source trees in a temporary folder and runs the include check on
# them: a tree in order passes, every kind of wrong include fails and is named.
set -uo pipefail

check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# plant FILE LINE...: writes the lines into $tmp/src/FILE.
plant() {
  local file=$tmp/src/$1
  shift
  mkdir -p "$(dirname "$file")"
  printf '%s\n' "$@" >"$file"
}

# expect STATUS PATTERN: runs the check and compares its status and output.
expect() {
  local status=$1 pattern=$2 out code
  out=$(bash "$check" "$tmp/src" 2>&1)
  code=$?
  [[ $code == "$status" ]] || fail "status $code, expected $status; output: $out"
  if [[ -n $pattern ]] && ! grep -q -E -- "$pattern" <<<"$out"; then
    fail "output lacks /$pattern/: $out"
  fi
}

plant data/Table.h '#pragma once'
plant map/Canvas.cpp '#include "map/Canvas.h"' '#include <QPainter>' '#include "data/Table.h"'
plant cli/Main.cpp '#include "economy/Stats.h"' '// #include "app/MainForm.h" is only a comment'
expect 0 ''

plant data/Rules.cpp '#include "data/Table.h"' '#include "map/MapLimits.h"'
expect 1 '^data/Rules.cpp:2: includes map/MapLimits.h, but data comes before map$'
rm "$tmp/src/data/Rules.cpp"

plant app/Program.cpp '  #  include "cli/Commands.h"'
expect 1 '^app/Program.cpp:1: includes cli/Commands.h'
rm "$tmp/src/app/Program.cpp"

# The exception list is empty: the store's file may not reach the settings.
plant data/StoreFiles.cpp '#include "settings/Settings.h"'
expect 1 '^data/StoreFiles.cpp:1: includes settings/Settings.h, but data comes before settings$'
rm "$tmp/src/data/StoreFiles.cpp"

plant tools/Extra.cpp '#include "data/Table.h"'
expect 1 'tools/Extra.cpp: the folder tools has no place in the order'
rm -r "$tmp/src/tools"

expect 0 ''
exit $((failures > 0))
