#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and, for each of the two libraries, builds
# two small hosts against it, one through pkg-config and one through the CMake package, as
# integrators would (the CMake host adds nothing but the target: the C++ runtime that
# QuorlinFreeBindTable needs comes with it). Then builds examples/hosts against the prefix as
# the README says and runs both on SQLite.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

require_installed() {
  for f in "$@"; do
    [ -e "$prefix/$f" ] || { echo "missing $f in the installed tree" >&2; exit 1; }
  done
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
require_installed include/quorlin.h lib/cmake/Quorlin/QuorlinConfig.cmake

# The text each library's last-error text holds right after loading; the legacy one's is
# "执行成功" in GBK.
cat >"$work/host.c" <<'HOST'
#include <stdio.h>
#include <string.h>
#include <quorlin.h>
#ifdef LEGACY_PROFILE
static const char kLoadText[] = "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6";
#else
static const char kLoadText[] = "Success";
#endif
int main(void) {
  char text[QUORLIN_LAST_ERROR_SIZE];
  if (SQLLastError(text, sizeof text) != 0 || strcmp(text, kLoadText) != 0) return 1;
  if (SQLConnectToDatabase("Driver=NoSuchDriver") != -1) return 2;
  {
    BindEntry* entries = NULL;
    unsigned count = 0;
    if (GetBindTable(BIND_TABLE, &entries, &count) != 1 || count != 1) return 3;
    if (strcmp(entries[0].fieldName, "Tag") != 0) return 4;
    QuorlinFreeBindTable(entries);
  }
  puts("host ok");
  return 0;
}
HOST

# A bind table of one field, Tag (CHAR): the count, the columns, and two rows of 4 cells.
python3 - "$work/host.bt" <<'PY'
import struct, sys
cell = lambda text, value: text.encode().ljust(64, b"\0") + struct.pack("<i", value)
rows = [cell("c", 0) * 4, cell("", 0) + cell("Tag", 0) + cell("", 2) + cell("", 0)]
open(sys.argv[1], "wb").write(struct.pack("<ii", 2, 4) + b"".join(rows))
PY

# Runs a host and checks that it loaded the installed library.
run_host() {
  local host=$1 library=$2
  "$host"
  ldd "$host" | grep -F "=> $prefix/lib/lib$library.so" >/dev/null ||
    { echo "$host does not load the installed lib$library.so" >&2; exit 1; }
}

PKG_CONFIG_PATH=$prefix/lib/pkgconfig
export PKG_CONFIG_PATH
for library in quorlin quorlin-legacy; do
  profile_definition=""
  if [ "$library" = quorlin-legacy ]; then profile_definition=LEGACY_PROFILE; fi
  require_installed "lib/lib$library.so" "lib/pkgconfig/$library.pc"
  if nm -D --defined-only "$prefix/lib/lib$library.so" | awk '{print $3}' | grep -v '^SQL\|^GetBindTable\|^_edata\|^_end\|^__bss_start' >/dev/null; then
    echo "the installed lib$library.so exports more than its C table:" >&2
    nm -D --defined-only "$prefix/lib/lib$library.so" | grep -v ' SQL' >&2
    exit 1
  fi

  # pkg-config
  # shellcheck disable=SC2046 # word splitting of the flags is intended
  cc -std=c11 -Wall -Werror -DBIND_TABLE="\"$work/host.bt\"" ${profile_definition:+-D$profile_definition} \
    "$work/host.c" -o "$work/host-pc-$library" $(pkg-config --cflags --libs "$library") \
    -Wl,-rpath,"$prefix/lib"
  run_host "$work/host-pc-$library" "$library"

  # CMake package
  host_dir=$work/cmake-host-$library
  mkdir -p "$host_dir"
  cp "$work/host.c" "$host_dir/host.c"
  cat >"$host_dir/CMakeLists.txt" <<LISTS
cmake_minimum_required(VERSION 3.20)
project(host C)
find_package(Quorlin REQUIRED)
add_executable(host host.c)
target_compile_definitions(host PRIVATE BIND_TABLE="\${BIND_TABLE}" \${PROFILE_DEFINITION})
target_link_libraries(host PRIVATE Quorlin::$library)
LISTS
  cmake -S "$host_dir" -B "$host_dir/build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DBIND_TABLE="$work/host.bt" -DPROFILE_DEFINITION="$profile_definition" >/dev/null
  cmake --build "$host_dir/build" >/dev/null
  run_host "$host_dir/build/host" "$library"
done
# The example hosts, as the README builds them against a non-system prefix.
examples=$(cd "$(dirname "$0")/../../examples/hosts" && pwd)
cmake -S "$examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_RPATH="$prefix/lib" >/dev/null
cmake --build "$work/examples" >/dev/null
# shellcheck disable=SC2046 # word splitting of the flags is intended
cc "$examples/c_host.c" -o "$work/c_host_pc" $(pkg-config --cflags --libs quorlin) \
  -Wl,-rpath,"$prefix/lib"
for host in "$work/examples/c_host" "$work/examples/cpp_host" "$work/c_host_pc"; do
  output=$("$host" "$work/tanks.db")
  expected=$'2 tanks above 2:\n  T2 at 2.5\n  T3 at 4.0\naverage level 2.67'
  [ "$output" = "$expected" ] || { echo "$host printed:" >&2; echo "$output" >&2; exit 1; }
  ldd "$host" | grep -F "=> $prefix/lib/libquorlin.so" >/dev/null ||
    { echo "$host does not load the installed libquorlin.so" >&2; exit 1; }
done
echo "installed tree serves C hosts of both libraries through pkg-config and CMake," \
  "and the example hosts"
