#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and builds two small hosts against it,
# one through pkg-config and one through the CMake package, as integrators would.
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for f in lib/libquorlin.so include/quorlin.h lib/pkgconfig/quorlin.pc \
  lib/cmake/Quorlin/QuorlinConfig.cmake; do
  [ -e "$prefix/$f" ] || { echo "missing $f in the installed tree" >&2; exit 1; }
done
if nm -D --defined-only "$prefix/lib/libquorlin.so" | awk '{print $3}' | grep -qv '^SQL\|^GetBindTable\|^_edata\|^_end\|^__bss_start'; then
  echo "the installed library exports more than its C table:" >&2
  nm -D --defined-only "$prefix/lib/libquorlin.so" | grep -v ' SQL' >&2
  exit 1
fi

cat >"$work/host.c" <<'HOST'
#include <stdio.h>
#include <string.h>
#include <quorlin.h>
int main(void) {
  char text[QUORLIN_LAST_ERROR_SIZE];
  if (SQLLastError(text, sizeof text) != 0 || strcmp(text, "Success") != 0) return 1;
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

# pkg-config
PKG_CONFIG_PATH=$prefix/lib/pkgconfig
export PKG_CONFIG_PATH
# shellcheck disable=SC2046 # word splitting of the flags is intended
cc -std=c11 -Wall -Werror -DBIND_TABLE="\"$work/host.bt\"" "$work/host.c" -o "$work/host-pc" $(pkg-config --cflags --libs quorlin) \
  -Wl,-rpath,"$prefix/lib"
"$work/host-pc"

# CMake package
mkdir -p "$work/cmake-host"
cp "$work/host.c" "$work/cmake-host/host.c"
cat >"$work/cmake-host/CMakeLists.txt" <<'LISTS'
cmake_minimum_required(VERSION 3.20)
project(host C)
find_package(Quorlin REQUIRED)
add_executable(host host.c)
target_compile_definitions(host PRIVATE BIND_TABLE="${BIND_TABLE}")
target_link_libraries(host PRIVATE stdc++)
target_link_libraries(host PRIVATE Quorlin::quorlin)
LISTS
cmake -S "$work/cmake-host" -B "$work/cmake-host/build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DBIND_TABLE="$work/host.bt" >/dev/null
cmake --build "$work/cmake-host/build" >/dev/null
"$work/cmake-host/build/host"
echo "installed tree serves C hosts through pkg-config and CMake"
