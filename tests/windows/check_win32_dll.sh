#!/usr/bin/env bash
# Cross-builds quorlin.dll (32-bit, MinGW-w64) and checks what a Windows host sees of it:
# - the export table holds exactly _Name@Bytes for each function that the export sources
#   define, sized from its prototype in include/quorlin.h, and nothing else;
# - the DLL imports only system DLLs and ODBC32.dll (the compiler runtime is inside);
# - every message of resources/messages.inc is in the string table as UTF-16, in English
#   and in Chinese;
# - the Linux library exports the same functions.
# The expected list is derived here on its own, not by the build's CMake code, so that a
# fault in either derivation shows.
#
# Exit 77 (skipped) when the cross compiler is missing, unless CI=true or
# QUORLIN_REQUIRE_SERVERS=1 demand the check.
set -uo pipefail

usage() {
  echo "usage: $0 --source-dir DIR --build-dir DIR --linux-library FILE" \
    "--export-sources FILE[:FILE...]" >&2
  exit 2
}

source_dir= build_dir= linux_library= export_sources=
while [ $# -gt 0 ]; do
  case "$1" in
    --source-dir) source_dir=$2 ;;
    --build-dir) build_dir=$2 ;;
    --linux-library) linux_library=$2 ;;
    --export-sources) export_sources=$2 ;;
    *) usage ;;
  esac
  shift 2 || usage
done
[ -n "$source_dir" ] && [ -n "$build_dir" ] && [ -n "$linux_library" ] &&
  [ -n "$export_sources" ] || usage
IFS=: read -r -a export_source_files <<<"$export_sources"

triplet=i686-w64-mingw32
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- tools -------------------------------------------------------------------------------
required() {
  [ "${QUORLIN_REQUIRE_SERVERS:-}" = 1 ] || [ "${CI:-}" = true ] || [ "${CI:-}" = 1 ]
}
missing=()
command -v "$triplet-g++-posix" >/dev/null || command -v "$triplet-g++" >/dev/null ||
  missing+=("$triplet-g++")
for tool in windres objdump objcopy; do
  command -v "$triplet-$tool" >/dev/null || missing+=("$triplet-$tool")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Missing: ${missing[*]} (Debian: g++-mingw-w64-i686 binutils-mingw-w64-i686)." >&2
  if required; then
    echo "FAIL: the Windows build is required here (CI or QUORLIN_REQUIRE_SERVERS=1)." >&2
    exit 1
  fi
  echo "SKIP: no MinGW-w64 cross compiler." >&2
  exit 77
fi

# --- build -------------------------------------------------------------------------------
log=$build_dir.log
# The host build's compilers and flags (a sanitizer, say) are not for the cross build.
if ! { env -u CC -u CXX -u CFLAGS -u CXXFLAGS -u LDFLAGS cmake -S "$source_dir" -B "$build_dir" \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-i686.cmake" &&
  cmake --build "$build_dir" --target quorlin -j2; } >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "FAIL: the Windows build failed (whole log: $log)." >&2
  exit 1
fi
dll=$build_dir/quorlin.dll
[ -f "$dll" ] || { echo "FAIL: the build made no $dll." >&2; exit 1; }
dump=$build_dir/quorlin.dll.objdump.txt
"$triplet-objdump" -p "$dll" >"$dump" || { echo "FAIL: objdump cannot read $dll." >&2; exit 1; }

# --- what the header and the export sources promise ---------------------------------------
# Folds a C file into one line without comments, so that a declaration reads as one.
flat_code() {
  sed -e 's://.*$::' "$@" | tr '\n\t\r' '   ' | sed -e 's:/\*\([^*]\|\*[^/]\)*\*/: :g' -e 's/  */ /g'
}

defined_names=$(flat_code "${export_source_files[@]}" |
  grep -oE 'QUORLIN_CALL [A-Za-z_][A-Za-z0-9_]* ?\([^()]*\) ?\{' |
  sed -E 's/^QUORLIN_CALL ([A-Za-z0-9_]+).*/\1/' | sort -u)
[ -n "$defined_names" ] || { echo "FAIL: no export found in ${export_source_files[*]}" >&2; exit 1; }

header=$(flat_code "$source_dir/include/quorlin.h")
expected=$(for name in $defined_names; do
  parameters=$(grep -oE "QUORLIN_CALL $name ?\([^()]*\) ?;" <<<"$header" |
    sed -E 's/^[^(]*\(([^()]*)\).*/\1/')
  if [ -z "$parameters" ] && ! grep -qE "QUORLIN_CALL $name ?\( ?\) ?;" <<<"$header"; then
    echo "FAIL: $name is defined as an export but has no prototype in quorlin.h" >&2
    echo "!missing-prototype-$name"
    continue
  fi
  # stdcall pops the arguments in 32-bit slots: 64-bit scalars take two, the rest one.
  awk -v name="$name" -v parameters="$parameters" 'BEGIN {
    bytes = 0
    count = split(parameters, argument, ",")
    for (i = 1; i <= count; i++) {
      gsub(/^ +| +$/, "", argument[i])
      if (argument[i] == "" || argument[i] == "void") continue
      if (argument[i] !~ /\*/ && argument[i] ~ /(^| )(double|long long|__int64|u?int64_t)( |$)/)
        bytes += 8
      else
        bytes += 4
    }
    printf "_%s@%d\n", name, bytes
  }'
done | sort)

# --- the DLL's export table ---------------------------------------------------------------
exported=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' "$dump" |
  sed -nE 's/^[[:space:]]*\[ *[0-9]+\] (.+)$/\1/p' | sort)
if [ "$exported" != "$expected" ]; then
  fail "the DLL's export names differ from the header's decorated names (< expected, > DLL):"
  diff <(echo "$expected") <(echo "$exported") >&2
fi
# "Number in:" is followed by the count of export addresses, in hex; an address without a
# name would be an export reachable by ordinal only.
addresses=$(awk '/^Number in:/ { getline; if ($1 == "Export" && $2 == "Address") print $4; exit }' \
  "$dump")
name_count=$(wc -l <<<"$expected")
if ! [[ "$addresses" =~ ^[0-9a-fA-F]+$ ]] || [ $((16#$addresses)) -ne "$name_count" ]; then
  fail "the DLL has ${addresses:-no} (hex) export addresses for $name_count names"
fi

# --- the DLL's imports --------------------------------------------------------------------
# System DLLs that every Windows has; the compiler's runtime DLLs (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll) must not be among the imports.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|version|ws2_32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|odbc32|odbccp32)\.dll$'
imports=$(sed -nE 's/^[[:space:]]*DLL Name: (.+)$/\1/p' "$dump")
grep -qix 'odbc32.dll' <<<"$imports" || fail "the DLL does not import ODBC32.dll"
for import in $imports; do
  grep -qiE "$system_dlls" <<<"$import" || fail "the DLL imports $import, which is no system DLL"
done

# --- the string table ---------------------------------------------------------------------
# A string table entry is its length in UTF-16 units followed by the units, little-endian.
rsrc=$build_dir/quorlin.dll.rsrc
"$triplet-objcopy" -O binary --only-section=.rsrc "$dll" "$rsrc" ||
  fail "objcopy cannot read the resources of $dll"
rsrc_hex=$(od -An -tx1 -v "$rsrc" | tr -d ' \n')
counted_utf16() {
  local units
  units=$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -d ' \n')
  printf '%02x%02x%s' $((${#units} / 4 % 256)) $((${#units} / 4 / 256)) "$units"
}
message_count=0
while IFS=$'\t' read -r id english chinese; do
  message_count=$((message_count + 1))
  for text in "$english" "$chinese"; do
    grep -q "$(counted_utf16 "$text")" <<<"$rsrc_hex" ||
      fail "message $id \"$text\" is not in the DLL's string table as UTF-16"
  done
done < <(sed -nE 's/^QUORLIN_MESSAGE\(([0-9]+), "([^"]*)", "([^"]*)"\)$/\1\t\2\t\3/p' \
  "$source_dir/resources/messages.inc")
[ "$message_count" -gt 0 ] || fail "no message read from resources/messages.inc"

# --- the Linux library --------------------------------------------------------------------
# Linker-made markers aside, the shared object exports only the C table.
linux_exports=$(nm -D --defined-only "$linux_library" | awk '{ print $NF }' |
  grep -vxE '_init|_fini|__bss_start|_edata|_end' | sort)
if [ "$linux_exports" != "$defined_names" ]; then
  fail "$linux_library exports other names than the DLL (< export sources, > Linux):"
  diff <(echo "$defined_names") <(echo "$linux_exports") >&2
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; DLL: $dll, export table dump: $dump" >&2
  exit 1
fi
echo "quorlin.dll: $(wc -l <<<"$expected") decorated exports as the header declares them," \
  "imports $(echo $imports), $message_count messages in English and Chinese;" \
  "the Linux library exports the same functions."
