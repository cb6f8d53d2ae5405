#!/usr/bin/env bash
# Builds the Debian packages (libquorlin1, libquorlin-dev, quorlin-qhost, python3-quorlin)
# into BUILD_DIR (default: build-deb): a Release build installed under /usr, packed by CPack.
#
#   scripts/make-packages.sh [BUILD_DIR]
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$repo/build-deb}
cmake -S "$repo" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUORLIN_BUILD_TESTS=OFF -DQUORLIN_BUILD_BENCH=OFF \
  -DQUORLIN_PYTHON_INSTALL_DIR=lib/python3/dist-packages
cmake --build "$build_dir" -j2
(cd "$build_dir" && cpack -G DEB)
ls -l "$build_dir"/*.deb
