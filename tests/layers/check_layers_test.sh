#!/usr/bin/env bash
# The layer check on small trees of its own: a tree whose includes all point down or stay in
# their layer passes, and each kind of upward include fails it, named by file, line and both
# layers.
#
#   tests/layers/check_layers_test.sh CHECK_SCRIPT
set -euo pipefail

check=${1:?usage: check_layers_test.sh CHECK_SCRIPT}
work=$(mktemp -d "${TMPDIR:-/tmp}/check-layers-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A tree in which every layer includes only what it may: same layer (by path and beside the
# file, where a subfolder named like a higher layer is still its own), layers below, the two
# public headers, system headers, and an upward include in a comment only.
make_clean_tree() {
  local tree=$1
  mkdir -p "$tree"/{viewer,records,schema,connections,frame,profiles,resources}
  mkdir -p "$tree"/platform/linux/frame "$tree"/include "$tree"/mirvale/include "$tree"/tests/core
  touch "$tree"/include/quorlin.h "$tree"/mirvale/include/mirvale.h "$tree"/mirvale/include/page.h
  touch "$tree"/tests/core/temp_dir.h "$tree"/viewer/dialog.h "$tree"/connections/registry.h
  touch "$tree"/platform/database.h "$tree"/platform/linux/gui_toolkit.h "$tree"/frame/report.h
  touch "$tree"/platform/linux/frame/window.h
  touch "$tree"/schema/quoting.h "$tree"/resources/messages.h "$tree"/profiles/profile.h
  printf '#include "viewer/dialog.h"\n#include "records/navigation.h"\n#include "mirvale.h"\n' \
    >"$tree"/viewer/dialog.cpp
  printf '#include "navigation.h"\n#include "schema/quoting.h"\n#include <vector>\n' \
    >"$tree"/records/navigation.cpp
  printf '#pragma once\n#include "frame/report.h"\n' >"$tree"/records/navigation.h
  printf '#include "quorlin.h"\n#include "platform/database.h"\n' >"$tree"/frame/report.c
  printf '#include "profiles/profile.h"\n// #include "connections/registry.h"\n' \
    >"$tree"/profiles/full.cpp
  printf '#include "gui_toolkit.h"\n#include "../database.h"\n#include "frame/window.h"\n' \
    >"$tree"/platform/linux/gui_toolkit.cpp
  printf '  #  include <wx/app.h>\n' >>"$tree"/platform/linux/gui_toolkit.cpp
  printf '#include "resources/messages.h"\n#include "platform/database.h"\n' \
    >"$tree"/resources/messages.cpp
}

# expect NAME STATUS OUTPUT_PATTERN... : the check on $tree exits with STATUS and its output
# matches every pattern.
expect() {
  local name=$1 status=$2 output actual=0
  shift 2
  output=$(bash "$check" "$tree" 2>&1) || actual=$?
  if [ "$actual" -ne "$status" ]; then
    fail "$name: exit status $actual, expected $status; output:"$'\n'"$output"
    return
  fi
  local pattern
  for pattern in "$@"; do
    grep -qE -- "$pattern" <<<"$output" || fail "$name: output lacks /$pattern/:"$'\n'"$output"
  done
}

tree=$work/clean
make_clean_tree "$tree"
expect "clean tree" 0 "every include points down"

# One upward include added to a clean tree each: FILE LINE_TEXT EXPECTED_PATTERN.
upward_cases=(
  "profiles/full.cpp|#include \"connections/registry.h\"|^profiles/full.cpp:3: layer profiles includes connections/registry.h, from the higher layer connections$"
  "frame/report.h|#include \"schema/quoting.h\"|^frame/report.h:1: layer frame includes schema/quoting.h, from the higher layer schema$"
  "platform/linux/gui_toolkit.cpp|#include \"../../resources/messages.h\"|^platform/linux/gui_toolkit.cpp:5: layer platform includes resources/messages.h, from the higher layer resources$"
  "frame/report.c|  #  include   \"viewer/dialog.h\"|^frame/report.c:3: layer frame includes viewer/dialog.h, from the higher layer viewer$"
  "records/navigation.cpp|#include \"tests/core/temp_dir.h\"|^records/navigation.cpp:4: layer records includes tests/core/temp_dir.h, from tests/"
  "viewer/dialog.cpp|#include \"mirvale/include/page.h\"|^viewer/dialog.cpp:4: layer viewer includes mirvale/include/page.h, from mirvale/"
)
case_number=0
for entry in "${upward_cases[@]}"; do
  IFS='|' read -r file line pattern <<<"$entry"
  tree=$work/case$((++case_number))
  make_clean_tree "$tree"
  printf '%s\n' "$line" >>"$tree/$file"
  expect "$file with $line" 1 "$pattern" "1 include\(s\) point up the layer order"
done

# Every upward include is listed, not only the first.
tree=$work/several
make_clean_tree "$tree"
printf '#include "viewer/dialog.h"\n' >>"$tree"/records/navigation.h
printf '#include "frame/report.h"\n' >>"$tree"/platform/database.h
expect "two upward includes" 1 "^platform/database.h:1: " "^records/navigation.h:3: " \
  "2 include\(s\) point up"

# A folder that is not the repository is refused rather than passed.
tree=$work/not-a-repository
mkdir -p "$tree"/platform "$tree"/frame
expect "tree without the layer folders" 2 "has no viewer/ folder"

if [ "$failures" -gt 0 ]; then
  echo "check_layers_test.sh: $failures failure(s)" >&2
  exit 1
fi
echo "check_layers_test.sh: all cases passed"
