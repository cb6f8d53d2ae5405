#!/usr/bin/env bash
# Makes the Windows distribution, quorlin-VERSION-win32.zip: a Release build of the 32-bit
# DLLs (MinGW-w64 i686), stripped, with the header, both kinds of import library, the .def
# files, mirvale.dll, qhost.exe, the example host and README-WINDOWS.txt.
#
#   scripts/make-windows-zip.sh [OUTDIR]      (default: the repository root)
#
# QUORLIN_BUILD_DIR chooses the build folder (default: build-win32-release).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
out_dir=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
build_dir=${QUORLIN_BUILD_DIR:-build-win32-release}

bash scripts/setup-debian.sh
cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQUORLIN_BUILD_TESTS=OFF
cmake --build "$build_dir" -j2
(cd "$build_dir" && cpack --config CPackConfig.cmake -B "$out_dir")
rm -rf "$out_dir/_CPack_Packages"
ls -l "$out_dir"/quorlin-*-win32.zip
