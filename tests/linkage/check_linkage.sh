#!/usr/bin/env bash
# What the dynamic linker sees of the two shared libraries.
#   check_linkage.sh printer-library FULL_LIBRARY LEGACY_LIBRARY
#     The full library needs libmirvale (so that the test can tell the two apart); the
#     legacy library must load where the printer library is not installed.
#   check_linkage.sh exports HEADER FULL_LIBRARY LEGACY_LIBRARY
#     Each library exports exactly the functions that the header declares, the two the same
#     names, and nothing else but the linker's own _edata, _end and __bss_start.
set -uo pipefail

usage() {
  echo "usage: $0 printer-library FULL LEGACY | exports HEADER FULL LEGACY" >&2
  exit 2
}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

check_printer_library() {
  local profile library needed
  for profile in full legacy; do
    case $profile in
      full) library=$1 ;;
      legacy) library=$2 ;;
    esac
    needed=$(readelf -d "$library" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]$/\1/p') ||
      { fail "readelf cannot read $library"; continue; }
    [ -n "$needed" ] || fail "$library needs no library at all: readelf output unreadable?"
    case $profile in
      full) grep -q '^libmirvale\.' <<<"$needed" ||
        fail "$library does not need libmirvale: nothing tells the profiles apart" ;;
      legacy) grep -q 'libmirvale' <<<"$needed" &&
        fail "$library needs $(grep libmirvale <<<"$needed")" ;;
    esac
    echo "$(basename "$library") needs: $(echo $needed)"
  done
}

# The functions that the header declares, in one line per name: "T name".
declared_functions() {
  sed -e 's://.*$::' "$1" | tr '\n\t\r' '   ' | sed -e 's:/\*\([^*]\|\*[^/]\)*\*/: :g' |
    grep -oE 'QUORLIN_CALL +[A-Za-z_][A-Za-z0-9_]* *\([^()]*\) *;' |
    sed -E 's/^QUORLIN_CALL +([A-Za-z0-9_]+).*/T \1/' | LC_ALL=C sort
}

# The defined dynamic symbols of a library, "TYPE name", linker markers left out.
exported_symbols() {
  nm -D --defined-only "$1" | awk '{ print $(NF - 1), $NF }' |
    grep -vE '^[A-Za-z] (_edata|_end|__bss_start)$' | LC_ALL=C sort
}

check_exports() {
  local header=$1 full=$2 legacy=$3 expected library exported
  expected=$(declared_functions "$header")
  # The export table hosts are built against.
  [ "$(grep -c . <<<"$expected")" -eq 25 ] ||
    fail "$header declares $(grep -c . <<<"$expected") functions, not 25"
  for library in "$full" "$legacy"; do
    exported=$(exported_symbols "$library")
    if [ "$exported" != "$expected" ]; then
      fail "$library exports other symbols than $header declares (< header, > library):"
      diff <(echo "$expected") <(echo "$exported") >&2
    fi
  done
  if ! diff <(nm -D --defined-only "$full" | awk '{ print $(NF - 1), $NF }' | LC_ALL=C sort) \
    <(nm -D --defined-only "$legacy" | awk '{ print $(NF - 1), $NF }' | LC_ALL=C sort) >&2; then
    fail "the two libraries export different symbols (< full, > legacy)"
  fi
  [ "$failures" -gt 0 ] ||
    echo "both libraries export the $(grep -c . <<<"$expected") functions of $(basename "$header")"
}

case ${1:-} in
  printer-library) [ $# -eq 3 ] || usage; check_printer_library "$2" "$3" ;;
  exports) [ $# -eq 4 ] || usage; check_exports "$2" "$3" "$4" ;;
  *) usage ;;
esac
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
