#!/usr/bin/env bash
# The project's main job: installs what is missing, builds, and runs the sample host on
# the demo script against the freshly built library.
#
#   scripts/run-main.sh [SCRIPT]      (default: examples/demo.qh)
#
# QUORLIN_BUILD_DIR chooses the build folder (default: build-main). Only what the demo needs
# is installed and built (the library, its printer library and qhost); scripts/test.sh
# installs and builds the rest.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build_dir=${QUORLIN_BUILD_DIR:-build-main}
script=${1:-examples/demo.qh}

bash scripts/setup-debian.sh --main
cmake -S . -B "$build_dir" -DQUORLIN_BUILD_TESTS=OFF -DQUORLIN_BUILD_BENCH=OFF
cmake --build "$build_dir" -j"$(nproc)" --target quorlin qhost

qhost=$build_dir/tools/qhost/qhost
if [ ! -x "$qhost" ]; then
  echo "run-main.sh: $qhost was not built" >&2
  exit 1
fi

# The project's own driver list, so the demo sees the same driver names as the tests
# whatever the machine's /etc/odbcinst.ini holds.
odbc_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-odbc.XXXXXX")
trap 'rm -rf "$odbc_dir"' EXIT
bash tests/odbc/make-odbcinst.sh "$odbc_dir"
ODBCSYSINI=$odbc_dir "$qhost" --library "$build_dir/libquorlin.so" "$script"
