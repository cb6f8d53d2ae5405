#!/usr/bin/env bash
# Builds the grid-file fuzz targets, one per profile, with clang (libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in every object) and runs each over a copy
# of the seed corpus for a bounded time. Fails when the build fails or the fuzzer stops on a crash, a sanitizer
# report, a leak, a failed check or a slow input; that input is kept for reproduction.
#
#   tests/fuzz/run-fuzz.sh [SECONDS]
#
# SECONDS   how long to fuzz each profile's target (default: 60)
# Environment:
#   QUORLIN_FUZZ_BUILD_DIR    build folder (default: build-fuzz); the log and any failing
#                             input land in it
#   QUORLIN_FUZZ_CORPUS_OUT   copy the grown corpora into this folder (default: discarded)
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
fuzzers=(grid_reader_fuzz grid_reader_fuzz_legacy)
cmake --build "$build_dir" -j2 --target "${fuzzers[@]}"
build_dir=$(cd "$build_dir" && pwd)

# Each fuzzer grows a copy of the seeds, and its per-process input files live in the same
# throwaway folder; failing inputs are kept in the build folder.
work_root=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-fuzz.XXXXXX")
trap 'rm -rf "$work_root"' EXIT

fuzz() {
  local name=$1
  local fuzzer=$build_dir/tests/fuzz/$name
  local work=$work_root/$name
  local artifacts=$build_dir/fuzz-artifacts/$name
  local log=$build_dir/fuzz-$name.log
  mkdir -p "$work/corpus" "$work/tmp"
  cp tests/fuzz/corpus/* "$work/corpus/"
  local seeds
  seeds=$(find "$work/corpus" -type f | wc -l)
  rm -rf "$artifacts"
  mkdir -p "$artifacts"

  echo "== fuzz $name for ${seconds}s (log: $log)"
  local status=0
  (cd "$work" && TMPDIR=$work/tmp exec "$fuzzer" -max_total_time="$seconds" \
    -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work/corpus") >"$log" 2>&1 || status=$?

  if [ -n "${QUORLIN_FUZZ_CORPUS_OUT:-}" ]; then
    mkdir -p "$QUORLIN_FUZZ_CORPUS_OUT"
    cp "$work/corpus/"* "$QUORLIN_FUZZ_CORPUS_OUT/"
  fi

  local found
  found=$(find "$artifacts" -type f | sort)
  if [ "$status" -ne 0 ] || [ -n "$found" ]; then
    tail -n 60 "$log" >&2
    echo "run-fuzz.sh: $name stopped with status $status" >&2
    for input in $found; do
      echo "run-fuzz.sh: reproduce with: $fuzzer $input" >&2
    done
    exit 1
  fi

  final_stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
  local last
  last=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
  echo "fuzz $name: no crash in $(final_stat number_of_executed_units) inputs over" \
    "${seconds}s; coverage $(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last") edges," \
    "$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last") features; corpus $seeds ->" \
    "$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last") inputs; peak rss" \
    "$(final_stat peak_rss_mb) MB"
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for name in "${fuzzers[@]}"; do
  fuzz "$name"
done
