#!/usr/bin/env bash
# Makes the Windows zip of a 32-bit build (CPack), unpacks it into a fresh folder, and builds
# and runs hosts from it alone, as a Windows host author would: the example host with MinGW-w64
# (-lquorlin), with the MSVC ABI (clang and lld-link, quorlin.lib), and a CMake project that
# finds the package (named by Quorlin_DIR: the cross toolchain confines package searches to
# the MinGW root); each runs under Wine on SQLite beside the zip's DLLs.
#
#   check_windows_zip.sh --build-dir DIR --runner "RUNNER ARGS" --entry MSVC-ENTRY.c
set -euo pipefail

build_dir= runner= entry=
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build_dir=$2 ;;
    --runner) runner=$2 ;;
    --entry) entry=$2 ;;
    *) sed -n '7s/^# //p' "$0" >&2 && exit 2 ;;
  esac
  shift 2
done
[ -n "$build_dir" ] && [ -n "$runner" ] && [ -n "$entry" ] || { sed -n '7s/^# //p' "$0" >&2; exit 2; }
read -r -a run <<<"$runner"
triplet=i686-w64-mingw32
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- the zip --------------------------------------------------------------------------
(cd "$build_dir" && cpack --config CPackConfig.cmake -B "$work/package") >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
}
zip=$(ls "$work"/package/quorlin-*-win32.zip)
echo "made $(basename "$zip"): $(du -k "$zip" | cut -f1) KB"
mkdir "$work/fresh"
(cd "$work/fresh" && unzip -q "$zip")
top=$(ls -d "$work"/fresh/quorlin-*-win32)
for file in bin/quorlin.dll bin/quorlin-legacy.dll bin/mirvale.dll bin/qhost.exe \
  include/quorlin.h lib/libquorlin.dll.a lib/libquorlin-legacy.dll.a lib/quorlin.lib \
  lib/quorlin-legacy.lib lib/quorlin.def lib/quorlin-legacy.def lib/cmake/Quorlin/QuorlinConfig.cmake \
  examples/host.c README-WINDOWS.txt; do
  [ -f "$top/$file" ] || fail "the zip has no $file"
done
for binary in "$top"/bin/*.dll "$top"/bin/*.exe; do
  if "$triplet-objdump" -h "$binary" | grep -q '\.debug_'; then
    fail "$(basename "$binary") is not stripped"
  fi
done
(cd "$top" && find . -type f | sort | sed 's/^\.\//  /')

# --- hosts built from the zip alone ----------------------------------------------------
hosts=$work/hosts
mkdir "$hosts"
cp "$top"/bin/*.dll "$hosts/"
"$triplet-gcc" -Wall -I "$top/include" "$top/examples/host.c" -L "$top/lib" -lquorlin \
  -o "$hosts/mingw_host.exe" || fail "the MinGW host does not link"

msvc=(--target=i686-pc-windows-msvc -fgnuc-version=4.2.1 -D_X86_ -D__USE_MINGW_ANSI_STDIO=0
  -isystem "/usr/$triplet/include" -I "$top/include")
if clang "${msvc[@]}" -c "$top/examples/host.c" -o "$work/host.obj" &&
  clang "${msvc[@]}" -c "$entry" -o "$work/entry.obj" &&
  lld-link -machine:x86 -subsystem:console -entry:HostEntry -nodefaultlib -safeseh:no \
    "$work/host.obj" "$work/entry.obj" "$top/lib/quorlin.lib" "/usr/$triplet/lib/libmsvcrt.a" \
    "/usr/$triplet/lib/libkernel32.a" -out:"$hosts/msvc_host.exe"; then
  :
else
  fail "the MSVC-ABI host does not link against quorlin.lib"
fi

mkdir "$work/cmake-host"
cp "$top/examples/host.c" "$work/cmake-host/"
cat >"$work/cmake-host/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(CMakeHost C)
find_package(Quorlin REQUIRED)
add_executable(cmake_host host.c)
target_link_libraries(cmake_host PRIVATE Quorlin::quorlin)
CMAKE
if env -u CC -u CXX -u CFLAGS -u LDFLAGS cmake -S "$work/cmake-host" -B "$work/cmake-host/build" \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-i686.cmake" \
  -DQuorlin_DIR="$top/lib/cmake/Quorlin" >"$work/cmake-host.log" 2>&1 &&
  cmake --build "$work/cmake-host/build" >>"$work/cmake-host.log" 2>&1; then
  cp "$work/cmake-host/build/cmake_host.exe" "$hosts/"
else
  cat "$work/cmake-host.log" >&2
  fail "the CMake host does not build against the zip's package"
fi

# --- each host runs under Wine beside the zip's DLLs ------------------------------------
cd "$hosts"
for host in mingw_host msvc_host cmake_host; do
  [ -f "$host.exe" ] || continue
  if QUORLIN_WINE_EXPECT='^host: [1-9][0-9]* passed, 0 failed' \
    "${run[@]}" "$hosts/$host.exe" "$work/$host.db"; then
    echo "$host: ran"
  else
    fail "$host did not run"
  fi
done

[ "$failures" -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "the zip builds and runs hosts"
