#!/usr/bin/env bash
# Builds the grid-file fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in every object) and runs it over a copy of the seed corpus for
# a bounded time. Fails when the build fails or the fuzzer stops on a crash, a sanitizer
# report, a leak, a failed check or a slow input; that input is kept for reproduction.
#
#   tests/fuzz/run-fuzz.sh [SECONDS]
#
# SECONDS   how long to fuzz (default: 60)
# Environment:
#   QUORLIN_FUZZ_BUILD_DIR    build folder (default: build-fuzz); the log and any failing
#                             input land in it
#   QUORLIN_FUZZ_CORPUS_OUT   copy the grown corpus into this folder (default: discarded)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$repo"

usage() { sed -n '7,14s/^# \{0,1\}//p' "$0"; }

seconds=60
for arg in "$@"; do
  case $arg in
    -h | --help) usage && exit 0 ;;
    *[!0-9]* | '') echo "run-fuzz.sh: not a number of seconds: $arg" >&2 && usage >&2 && exit 2 ;;
    *) seconds=$arg ;;
  esac
done

for tool in clang clang++; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "run-fuzz.sh: $tool is missing (scripts/setup-debian.sh installs it)" >&2
    exit 1
  fi
done

build_dir=${QUORLIN_FUZZ_BUILD_DIR:-build-fuzz}
echo "== build $build_dir (fuzz)"
cmake -S . -B "$build_dir" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORLIN_FUZZ=ON -DQUORLIN_BUILD_TESTS=OFF -DQUORLIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j2 --target grid_reader_fuzz
build_dir=$(cd "$build_dir" && pwd)
fuzzer=$build_dir/tests/fuzz/grid_reader_fuzz

# The fuzzer grows a copy of the seeds, and its per-process input files live in the same
# throwaway folder; failing inputs are kept in the build folder.
work=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/tmp"
cp tests/fuzz/corpus/* "$work/corpus/"
seeds=$(find "$work/corpus" -type f | wc -l)
artifacts=$build_dir/fuzz-artifacts
rm -rf "$artifacts"
mkdir -p "$artifacts"
log=$build_dir/fuzz.log

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

echo "== fuzz grid_reader_fuzz for ${seconds}s (log: $log)"
status=0
(cd "$work" && TMPDIR=$work/tmp exec "$fuzzer" -max_total_time="$seconds" \
  -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" \
  "$work/corpus") >"$log" 2>&1 || status=$?

if [ -n "${QUORLIN_FUZZ_CORPUS_OUT:-}" ]; then
  mkdir -p "$QUORLIN_FUZZ_CORPUS_OUT"
  cp "$work/corpus/"* "$QUORLIN_FUZZ_CORPUS_OUT/"
fi

found=$(find "$artifacts" -type f | sort)
if [ "$status" -ne 0 ] || [ -n "$found" ]; then
  tail -n 60 "$log" >&2
  echo "run-fuzz.sh: the fuzzer stopped with status $status" >&2
  for input in $found; do
    echo "run-fuzz.sh: reproduce with: $fuzzer $input" >&2
  done
  exit 1
fi

final_stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
last=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
coverage=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
corpus=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
echo "fuzz: no crash in $(final_stat number_of_executed_units) inputs over ${seconds}s;" \
  "coverage $coverage edges, $features features; corpus $seeds -> $corpus inputs;" \
  "peak rss $(final_stat peak_rss_mb) MB"
