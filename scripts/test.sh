#!/usr/bin/env bash
# The project's test command. Installs what is missing, builds, starts throwaway
# PostgreSQL and MariaDB servers on loopback, and runs every test twice: once in a plain
# build and once under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
# The concurrent-host tests run a third time under ThreadSanitizer. After the plain pass the
# Debian packages are built, installed, used and removed (tests/packages).
# Then runs the Windows builds' tests under Wine (tests/wine): the delivered 32-bit DLLs'
# whole suite under 32-bit Wine, and of the 64-bit build the dialog and printer programs,
# which emulated 32-bit code cannot run; and fuzzes the grid-file readers for a minute
# (tests/fuzz/run-fuzz.sh). Exits non-zero on any failure.
#
#   scripts/test.sh [--no-asan] [--no-fuzz] [--no-wine]
#
# --no-asan   skip the sanitizer passes and the fuzzing (quick local runs)
# --no-fuzz   skip the fuzzing
# --no-wine   skip the Windows builds and their tests under Wine
# Environment:
#   CI=true                 tests that cannot reach a server fail instead of skipping,
#                           and a build that registers no tests fails
#   QUORLIN_BUILD_DIR       plain build folder (default: build); the sanitizer, Windows and
#                           fuzz builds go into the same name with -asan, -tsan, -win32,
#                           -win64 and -fuzz appended
#   QUORLIN_TEST_TIMEOUT    seconds each test may take (default: 300)
#   QUORLIN_FUZZ_SECONDS    seconds of fuzzing (default: 60)
#   CTEST_PARALLEL_LEVEL    tests run at once (default: 1; they share the servers)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

usage() { sed -n '12,28s/^# \{0,1\}//p' "$0"; }

run_sanitized=1
run_fuzz=1
run_wine=1
for arg in "$@"; do
  case $arg in
    --no-asan) run_sanitized=0 ;;
    --no-fuzz) run_fuzz=0 ;;
    --no-wine) run_wine=0 ;;
    -h | --help) usage && exit 0 ;;
    *) echo "test.sh: unknown argument $arg" >&2 && usage >&2 && exit 2 ;;
  esac
done

build_dir=${QUORLIN_BUILD_DIR:-build}
test_timeout=${QUORLIN_TEST_TIMEOUT:-300}
ctest_options=(--output-on-failure --timeout "$test_timeout")
if [ "${CI:-}" = true ]; then
  export QUORLIN_REQUIRE_SERVERS=1
  ctest_options+=(--no-tests=error)
fi

state_dir=""
tests_pid=""
stop_tests() {
  [ -n "$tests_pid" ] || return 0
  kill -TERM -- "-$tests_pid" 2>/dev/null || true
  wait "$tests_pid" 2>/dev/null || true
  tests_pid=""
}
stop_servers() {
  [ -n "$state_dir" ] || return 0
  if bash tests/servers/stop-servers.sh "$state_dir"; then
    rm -rf "$state_dir"
    state_dir=""
  else
    echo "test.sh: servers under $state_dir did not stop" >&2
    return 1
  fi
}
on_exit() {
  local status=$?
  # A second interrupt must not cut the clean-up short and leave servers behind.
  trap '' INT TERM
  stop_tests
  stop_servers || status=1
  exit "$status"
}
trap on_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# One pass: configure and build into DIR with the extra cmake options (only the targets
# build_targets names, when it names any), then run every test (or those ctest_selection
# names) against a fresh pair of servers, so that one pass never sees the other's tables.
ctest_selection=()
build_targets=()
build_and_test() {
  local dir=$1
  shift
  echo "== build $dir"
  cmake -S . -B "$dir" -DQUORLIN_BUILD_TESTS=ON "$@"
  local target_options=()
  for target in "${build_targets[@]}"; do target_options+=(--target "$target"); done
  cmake --build "$dir" -j2 "${target_options[@]}"
  state_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-servers.XXXXXX")
  bash tests/servers/start-servers.sh "$state_dir"
  echo "== test $dir"
  # ctest runs in a process group of its own, waited for in the background, so that an
  # interrupt is handled at once and ends the tests with it, not after the running test.
  (
    # shellcheck disable=SC1091 # written by start-servers.sh
    source "$state_dir/env.sh"
    exec setsid ctest --test-dir "$dir" "${ctest_options[@]}" "${ctest_selection[@]}"
  ) &
  tests_pid=$!
  local status=0
  wait "$tests_pid" || status=$?
  tests_pid=""
  [ "$status" -eq 0 ] || exit "$status"
  stop_servers
}

bash scripts/setup-debian.sh
build_and_test "$build_dir"

# The Debian packages: built, installed on this machine, used with no paths added (example
# hosts through pkg-config and CMake, qhost, Python, manual pages), and removed again.
echo "== Debian packages"
bash scripts/make-packages.sh "$build_dir-deb"
bash tests/packages/check_debian_packages.sh "$build_dir-deb"

if [ "$run_wine" -eq 1 ]; then
  # The demo's transcript under Wine is compared with the plain build's qhost.
  wine_started=$SECONDS
  build_and_test "$build_dir-win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DQUORLIN_LINUX_BUILD_DIR="$(cd "$build_dir" && pwd)"
  echo "== 32-bit Wine pass took $((SECONDS - wine_started)) s"
  wine_started=$SECONDS
  ctest_selection=(-L display)
  build_and_test "$build_dir-win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
  ctest_selection=()
  echo "== 64-bit Wine pass (dialogs and printing) took $((SECONDS - wine_started)) s"
fi

if [ "$run_sanitized" -eq 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # Leaks an ODBC driver makes by itself are suppressed there, and only those.
  export LSAN_OPTIONS=suppressions=$repo/tests/lsan.supp:print_suppressions=0
  build_and_test "$build_dir-asan" -DQUORLIN_SANITIZE=ON
  # Hosts that call from several threads, under ThreadSanitizer: the export programs only.
  build_targets=(quorlin_export_tests quorlin_legacy_export_tests)
  ctest_selection=(-R ConcurrentHosts)
  build_and_test "$build_dir-tsan" -DQUORLIN_THREAD_SANITIZE=ON -DQUORLIN_BUILD_BENCH=OFF
  build_targets=()
  ctest_selection=()
  if [ "$run_fuzz" -eq 1 ]; then
    QUORLIN_FUZZ_BUILD_DIR="$build_dir-fuzz" bash tests/fuzz/run-fuzz.sh \
      "${QUORLIN_FUZZ_SECONDS:-60}"
  fi
fi
echo "== all tests passed"
