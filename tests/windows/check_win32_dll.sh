#!/usr/bin/env bash
# Cross-builds quorlin.dll and quorlin-legacy.dll (32-bit, MinGW-w64) and checks what a
# Windows host sees of each:
# - the export table holds exactly _Name@Bytes for each function that include/quorlin.h
#   declares, sized from its prototype, and nothing else; the export sources define exactly
#   those functions;
# - the DLL imports only system DLLs and ODBC32.dll (the compiler runtime is inside), and the
#   legacy DLL never the printer library;
# - the string table: in the full DLL every message of resources/messages.inc in English and
#   Chinese, in the legacy DLL only the Chinese 1601 and 1602;
# - dialog 129: the full DLL's in English and Chinese with the print buttons and an editable
#   table name; the legacy DLL's Chinese only, 8 pt "MS Sans Serif", without the print buttons
#   and with a read-only table name;
# - every export returns with "ret N", N its decorated argument size (the callee pops the
#   arguments, as stdcall hosts expect; check_stdcall_returns.py), after that check has shown
#   on a probe DLL that it rejects a C-convention function exported under such a name;
# - the version resource's FileVersion is quorlin.h's QUORLIN_VERSION;
# - the Linux library exports the same functions.
# The expected lists are derived here on their own, not by the build's CMake code or the
# resource scripts, so that a fault in either derivation shows.
#
# Exit 77 (skipped) when the cross compiler or python3 is missing, unless CI=true or
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
command -v python3 >/dev/null || missing+=(python3) # reads the resources
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Missing: ${missing[*]} (Debian: g++-mingw-w64-i686 binutils-mingw-w64-i686 python3)." >&2
  if required; then
    echo "FAIL: the Windows build is required here (CI or QUORLIN_REQUIRE_SERVERS=1)." >&2
    exit 1
  fi
  echo "SKIP: no MinGW-w64 cross compiler or no python3." >&2
  exit 77
fi

# --- build -------------------------------------------------------------------------------
log=$build_dir.log
# The host build's compilers and flags (a sanitizer, say) are not for the cross build.
if ! { env -u CC -u CXX -u CFLAGS -u CXXFLAGS -u LDFLAGS cmake -S "$source_dir" -B "$build_dir" \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-i686.cmake" &&
  cmake --build "$build_dir" --target quorlin quorlin-legacy -j2; } >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "FAIL: the Windows build failed (whole log: $log)." >&2
  exit 1
fi

# --- what the header and the export sources promise ---------------------------------------
# Folds a C file into one line without comments, so that a declaration reads as one.
flat_code() {
  sed -e 's://.*$::' "$@" | tr '\n\t\r' '   ' | sed -e 's:/\*\([^*]\|\*[^/]\)*\*/: :g' -e 's/  */ /g'
}

# The export table hosts are built against.
expected_export_count=25
prototypes=$(flat_code "$source_dir/include/quorlin.h" |
  grep -oE 'QUORLIN_CALL [A-Za-z_][A-Za-z0-9_]* ?\([^()]*\) ?;' |
  sed -E 's/^QUORLIN_CALL ([A-Za-z0-9_]+) ?\(([^()]*)\).*/\1\t\2/' | sort)
declared_names=$(cut -f1 <<<"$prototypes")
[ "$(grep -c . <<<"$declared_names")" -eq "$expected_export_count" ] ||
  fail "quorlin.h declares $(grep -c . <<<"$declared_names") exports, not $expected_export_count"

defined_names=$(flat_code "${export_source_files[@]}" |
  grep -oE 'QUORLIN_CALL [A-Za-z_][A-Za-z0-9_]* ?\([^()]*\) ?\{' |
  sed -E 's/^QUORLIN_CALL ([A-Za-z0-9_]+).*/\1/' | sort -u)
if [ "$defined_names" != "$declared_names" ]; then
  fail "the export sources define other functions than quorlin.h declares (< header, > sources):"
  diff <(echo "$declared_names") <(echo "$defined_names") >&2
fi

# stdcall pops the arguments in 32-bit slots: 64-bit scalars take two, the rest one.
expected=$(awk -F'\t' '{
  bytes = 0
  count = split($2, argument, ",")
  for (i = 1; i <= count; i++) {
    gsub(/^ +| +$/, "", argument[i])
    if (argument[i] == "" || argument[i] == "void") continue
    if (argument[i] !~ /\*/ && argument[i] ~ /(^| )(double|long long|__int64|u?int64_t)( |$)/)
      bytes += 8
    else
      bytes += 4
  }
  printf "_%s@%d\n", $1, bytes
}' <<<"$prototypes" | sort)

# What each profile's resource script must produce: "LANG\tID\tTEXT" string lines and
# "LANG\tID\tPOINTS\tFACE" dialog lines as dump_resources.py prints them. English is 0409,
# Chinese (simplified) 0804.
messages=$(sed -nE 's/^QUORLIN_MESSAGE\(([0-9]+), "([^"]*)", "([^"]*)"\)$/\1\t\2\t\3/p' \
  "$source_dir/resources/messages.inc")
[ -n "$messages" ] || fail "no message read from resources/messages.inc"
expected_strings() {
  case $1 in
    full) awk -F'\t' '{ print "0409\t" $1 "\t" $2; print "0804\t" $1 "\t" $3 }' <<<"$messages" ;;
    legacy) awk -F'\t' '$1 == 1601 || $1 == 1602 { print "0804\t" $1 "\t" $3 }' <<<"$messages" ;;
  esac | LC_ALL=C sort
}
expected_dialogs() {
  case $1 in
    full) printf '0409\t129\t8\tMS Sans Serif\n0804\t129\t9\t宋体\n' ;;
    legacy) printf '0804\t129\t8\tMS Sans Serif\n' ;;
  esac
}
# The Preview, Printer setup and Print buttons per dialog language, and whether the
# table-name edit 1045 is read-only.
expected_print_buttons() { case $1 in full) echo 3 ;; legacy) echo 0 ;; esac; }
expected_table_name_read_only() { case $1 in full) echo no ;; legacy) echo yes ;; esac; }

# System DLLs that every Windows has; the compiler's runtime DLLs (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll) must not be among the imports.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|version|ws2_32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|odbc32|odbccp32)\.dll$'

# --- one DLL ------------------------------------------------------------------------------
# check_dll PROFILE FILE: the export table, the imports and the resources of one DLL.
summaries=()
check_dll() {
  local profile=$1 dll=$2 name
  name=$(basename "$dll")
  [ -f "$dll" ] || { fail "the build made no $dll"; return; }
  local dump=$dll.objdump.txt
  "$triplet-objdump" -p "$dll" >"$dump" || { fail "objdump cannot read $dll"; return; }

  local exported addresses name_count
  exported=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' "$dump" |
    sed -nE 's/^[[:space:]]*\[ *[0-9]+\] (.+)$/\1/p' | sort)
  if [ "$exported" != "$expected" ]; then
    fail "$name: export names differ from the header's decorated names (< expected, > DLL):"
    diff <(echo "$expected") <(echo "$exported") >&2
  fi
  # "Number in:" is followed by the count of export addresses, in hex; an address without a
  # name would be an export reachable by ordinal only.
  addresses=$(awk '/^Number in:/ {
    getline; if ($1 == "Export" && $2 == "Address") print $4; exit }' "$dump")
  name_count=$(wc -l <<<"$expected")
  if ! [[ "$addresses" =~ ^[0-9a-fA-F]+$ ]] || [ $((16#$addresses)) -ne "$name_count" ]; then
    fail "$name: ${addresses:-no} (hex) export addresses for $name_count names"
  fi

  local imports import
  imports=$(sed -nE 's/^[[:space:]]*DLL Name: (.+)$/\1/p' "$dump")
  grep -qix 'odbc32.dll' <<<"$imports" || fail "$name does not import ODBC32.dll"
  # The full profile prints through the printer library; the legacy one has no printing.
  if [ "$profile" = full ] && ! grep -qix 'mirvale.dll' <<<"$imports"; then
    fail "$name does not import the printer library mirvale.dll"
  fi
  for import in $imports; do
    if grep -qix 'mirvale.dll' <<<"$import"; then
      [ "$profile" = full ] || fail "$name imports the printer library ($import)"
    elif ! grep -qiE "$system_dlls" <<<"$import"; then
      fail "$name imports $import, which is no system DLL"
    fi
  done

  # The data entries of .rsrc hold RVAs; the data directory gives the section's own.
  local rsrc=$dll.rsrc resources=$dll.resources.txt rva
  rva=$(awk '$1 == "Entry" && /Resource Directory/ { print $3; exit }' "$dump")
  if ! "$triplet-objcopy" -O binary --only-section=.rsrc "$dll" "$rsrc" ||
    ! python3 "$script_dir/dump_resources.py" "$rsrc" "${rva:-0}" >"$resources"; then
    fail "$name: cannot read its resources"
    return
  fi
  local string_table dialogs
  string_table=$(sed -n 's/^string\t//p' "$resources" | LC_ALL=C sort)
  if [ "$string_table" != "$(expected_strings "$profile")" ]; then
    fail "$name: the string table differs from the $profile profile's (< expected, > DLL):"
    diff <(expected_strings "$profile") <(echo "$string_table") >&2
  fi
  dialogs=$(sed -n 's/^dialog\t//p' "$resources")
  if [ "$dialogs" != "$(expected_dialogs "$profile")" ]; then
    fail "$name: the dialogs (language, id, font) differ from the $profile profile's" \
      "(< expected, > DLL):"
    diff <(expected_dialogs "$profile") <(echo "$dialogs") >&2
  fi
  local language print_buttons style read_only
  for language in $(cut -f1 <<<"$dialogs"); do
    print_buttons=$(awk -F'\t' -v language="$language" '$1 == "control" && $2 == language &&
      $3 == 129 && $4 >= 22002 && $4 <= 22004' "$resources" | wc -l)
    [ "$print_buttons" -eq "$(expected_print_buttons "$profile")" ] ||
      fail "$name: dialog 129 ($language) has $print_buttons of the controls 22002-22004," \
        "not $(expected_print_buttons "$profile")"
    style=$(awk -F'\t' -v language="$language" '$1 == "control" && $2 == language &&
      $3 == 129 && $4 == 1045 && $5 == "EDIT" { print $6 }' "$resources")
    if [ -z "$style" ]; then
      fail "$name: dialog 129 ($language) has no edit 1045"
      continue
    fi
    read_only=no
    (((16#$style & 0x0800) != 0)) && read_only=yes # ES_READONLY
    [ "$read_only" = "$(expected_table_name_read_only "$profile")" ] ||
      fail "$name: dialog 129 ($language): edit 1045 read-only is $read_only (style $style)"
  done

  # The version resource carries the header's version, as Windows shows it in the properties.
  local file_version
  file_version=$(strings -e l "$dll" | grep -x -A1 FileVersion | tail -n 1)
  [ "$file_version" = "$header_version" ] ||
    fail "$name: FileVersion is '${file_version:-missing}', not quorlin.h's $header_version"

  python3 "$script_dir/check_stdcall_returns.py" "$triplet-objdump" "$dll" >"$dll.returns.txt" ||
    { fail "$name: exports that do not pop their arguments:"; grep FAIL "$dll.returns.txt" >&2; }

  local summary
  summary="$name: $(wc -l <<<"$exported") decorated exports,"
  summary+=" imports $(paste -sd' ' <<<"$imports"), $(grep -c . <<<"$string_table") strings,"
  summary+=" dialog 129 in $(cut -f1 <<<"$dialogs" | paste -sd' '),"
  summary+=" $(grep -c '^ok: ' "$dll.returns.txt") exports popping their arguments"
  summaries+=("$summary")
}

script_dir=$(cd "$(dirname "$0")" && pwd)
header_version=$(sed -n 's/^#define QUORLIN_VERSION "\(.*\)"$/\1/p' "$source_dir/include/quorlin.h")
[ -n "$header_version" ] || fail "quorlin.h defines no QUORLIN_VERSION"

# The return check must be able to fail: a DLL with one stdcall and one C-convention export,
# both under decorated names, must pass the first and fail the second.
probe=$build_dir/return-probe
mkdir -p "$probe"
printf '%s\n' 'int __stdcall Popped(int a, int b) { return a + b; }' \
  'int __cdecl Left(int a) { return a; }' >"$probe/probe.c"
printf '%s\n' EXPORTS '_Popped@8 = Popped@8' '_Left@4 = Left' >"$probe/probe.def"
if ! "$triplet-gcc" -O2 -shared -o "$probe/probe.dll" "$probe/probe.c" "$probe/probe.def" \
  2>"$probe/build.log"; then
  fail "cannot build the return probe: $(cat "$probe/build.log")"
else
  python3 "$script_dir/check_stdcall_returns.py" "$triplet-objdump" "$probe/probe.dll" \
    >"$probe/returns.txt"
  grep -q "^ok: _Popped@8: " "$probe/returns.txt" && grep -q "^FAIL: _Left@4: " "$probe/returns.txt" ||
    fail "the return check misjudges its probe: $(paste -sd' ' "$probe/returns.txt")"
fi

check_dll full "$build_dir/quorlin.dll"
check_dll legacy "$build_dir/quorlin-legacy.dll"

# --- the Linux library --------------------------------------------------------------------
# Linker-made markers aside, the shared object exports only the C table.
linux_exports=$(nm -D --defined-only "$linux_library" | awk '{ print $NF }' |
  grep -vxE '_init|_fini|__bss_start|_edata|_end' | sort)
if [ "$linux_exports" != "$declared_names" ]; then
  fail "$linux_library exports other names than the DLL (< header, > Linux):"
  diff <(echo "$declared_names") <(echo "$linux_exports") >&2
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; dumps beside the DLLs in $build_dir" >&2
  exit 1
fi
printf '%s\n' "${summaries[@]}"
echo "Both match the header, the $(grep -c . <<<"$messages") messages and their profiles;" \
  "the Linux library exports the same functions."
