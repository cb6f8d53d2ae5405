#!/usr/bin/env bash
# Runs the Windows test builds' programs under Wine (64-bit ones under wine64, 32-bit ones
# under Debian's wine32); the builds use it as their CMAKE_CROSSCOMPILING_EMULATOR, so
# `add_test(NAME ... COMMAND <target> ARG...)` runs the target through it with no more ado.
#
#   run-under-wine.sh --state-dir DIR --setup [--bits 32|64]  make the prefix (ctest fixture)
#   run-under-wine.sh --state-dir DIR --cleanup    stop and remove it (fixture clean-up)
#   run-under-wine.sh --state-dir DIR PROGRAM.exe [ARG...]
#
# 32-bit programs load the i386 driver manager and drivers, so the set-up writes a driver list
# of the i386 drivers under the same names (tests/odbc/make-odbcinst.sh --arch) and every run
# of a 32-bit build uses it in place of the native ODBCSYSINI. Where the kernel cannot execute
# 32-bit code, setup-debian.sh has the i386 programs run by qemu's user-mode emulator: that
# needs a guest address space that ends a little above 2 GB (QEMU_RESERVED_VA below), or
# Wine's search for free address space takes minutes.
#
# The set-up makes two fresh WINEPREFIXes in a temp folder (one for programs without a
# display, one for those on the shared virtual display, Xvfb), starts a persistent
# wineserver for each, and records them in DIR; every run uses them
# and never makes ~/.wine. A program runs from the current folder, with WINEDEBUG=-all,
# no display and no input, bounded in time; its output (stdout and stderr) goes to a file,
# never a pipe, and is shown afterwards. The run passes when:
#   - a GoogleTest program printed its "[  PASSED  ]" line, no "[  FAILED  ]" line, ran or
#     skipped at least one test, and exited 0;
#   - any other program exited 0 and its output matches QUORLIN_WINE_EXPECT.
# Wine's exit status alone proves nothing: a program that cannot start may exit 0 silently.
#
# What a test sets through its ENVIRONMENT property (read here, before wine starts):
#   QUORLIN_WINE_DISPLAY=1       run on the shared virtual display (tests labelled "display")
#   QUORLIN_WINE_EXPECT=ERE      the output a program that is not a GoogleTest one must give
#   QUORLIN_WINE_LANG=LOCALE     the user interface language, e.g. zh_CN.UTF-8 (default:
#                                C.UTF-8, English); Windows takes it from LANG / LC_ALL at start
#   QUORLIN_WINE_ODBC_TRACE=1    the driver manager traces every call into a new file whose
#                                path replaces the 1 for the program; it reads its settings
#                                only before wine starts, and cuts a long TraceFile path short
#   QUORLIN_WINE_TIMEOUT=SECONDS how long the program may run (default 240)
#   QUORLIN_WINE_NATIVE_32=1     the program is known to break qemu's emulation of 32-bit
#                                code: exit 77 (skipped) where 32-bit code is emulated
# ODBCSYSINI, ODBCINI and the servers' connect strings are passed on as they are.
set -uo pipefail

usage() { sed -n '6,8s/^# \{0,1\}//p' "$0" >&2; exit 2; }

[ "${1:-}" = --state-dir ] && [ -n "${2:-}" ] || usage
state_dir=$2
shift 2
[ "$#" -ge 1 ] || usage
root_file=$state_dir/prefix-root
bits_file=$state_dir/bits
# Wine starts 32-bit programs of its own (when a prefix is made, too) wherever wine32 is
# installed: emulated ones need this however the program under test is built.
export QEMU_RESERVED_VA=0x81000000
# Debian puts the 64-bit loader beside the 32-bit one and links only "wine" into the path (a
# script that prefers the 32-bit loader where wine32 is installed).
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=$(command -v wine64 || echo wine64)

fail() {
  echo "run-under-wine: $*" >&2
  exit 1
}

# Wine keeps one desktop per prefix, made by the first program that needs one and kept while
# programs follow: made without a display it refuses windows to the programs that have one
# (CreateDialog fails with error 1400). So programs with and without the display run in
# prefixes of their own: "prefix" and "display-prefix".
prefix_name() {
  if [ "${QUORLIN_WINE_DISPLAY:-}" = 1 ]; then echo display-prefix; else echo prefix; fi
}

# The prefix and display of this ctest run, as the set-up recorded them.
load_root() {
  [ -s "$root_file" ] || fail "no Wine prefix set up in $state_dir (run through ctest, whose fixture makes it)"
  root=$(cat "$root_file")
  local name
  name=$(prefix_name)
  [ -d "$root/$name" ] || fail "the Wine prefix $root/$name is gone"
  export WINEPREFIX=$root/$name WINEDEBUG=-all
  # Each build's own loader: the 32-bit one hands 64-bit programs on to wine64, but costs a
  # start of its own where it is emulated.
  wine_loader=$wine64
  if [ "$(cat "$bits_file" 2>/dev/null)" = 32 ]; then
    wine_loader=wine
    export ODBCSYSINI=$root/odbc-i386
  fi
}

# make_prefix NAME: a fresh prefix with a persistent wineserver, booted with the display
# that its programs will have.
make_prefix() {
  local name=$1
  export WINEPREFIX=$root/$name WINEDEBUG=-all
  mkdir "$WINEPREFIX" || fail "cannot make $WINEPREFIX"
  # Nothing here may hold ctest's output pipe: ctest would wait for the servers to end.
  wineserver -p </dev/null >"$root/$name-wineserver.log" 2>&1 || fail "wineserver did not start"
  # The prefix's own tools are the 64-bit ones, which run natively whatever the build.
  "$wine64" wineboot -i </dev/null >"$root/$name-wineboot.log" 2>&1
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || {
    cat "$root/$name-wineboot.log" >&2
    fail "wineboot made no prefix"
  }
  # A program that crashes prints its backtrace and ends, instead of waiting on the crash
  # dialog of Wine's debugger.
  "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >>"$root/$name-wineboot.log" 2>&1 || fail "cannot turn off the crash dialog in $WINEPREFIX"
  if [ "$name" = prefix ]; then
    # No graphics driver at all without a display: with the default list Wine's desktop
    # process starts anyway and, depending on timing, keeps a program's first window waiting
    # 10 s or for ever. Without one, windows fail at once (error 1400), as they should here.
    "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d none /f </dev/null \
      >>"$root/$name-wineboot.log" 2>&1 || fail "cannot turn off the graphics driver of $WINEPREFIX"
    # The processes wineboot left read the setting only when they start: start again.
    wineserver -k </dev/null >/dev/null 2>&1
    timeout 30 wineserver -w </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >>"$root/$name-wineserver.log" 2>&1 || fail "wineserver did not start again"
  fi
  if [ "$bits" = 32 ]; then
    # The first 32-bit program fills the prefix's 32-bit half (minutes under emulation): here
    # once, not inside the first test's time.
    timeout 900 wine cmd /c "echo 32-bit ready" </dev/null \
      >"$root/$name-32.log" 2>&1
    grep -q "32-bit ready" "$root/$name-32.log" || {
      cat "$root/$name-32.log" >&2
      fail "32-bit programs do not run in $WINEPREFIX (wine32:i386 installed? 32-bit code runs?)"
    }
  fi
  echo "Wine prefix ready in $WINEPREFIX"
}

setup() {
  bits=${1:-64}
  [ -x "$wine64" ] || command -v "$wine64" >/dev/null ||
    fail "wine64 is not installed (scripts/setup-debian.sh)"
  if [ "$bits" = 32 ]; then
    [ -x /usr/lib/wine/wine ] || fail "wine32:i386 is not installed (scripts/setup-debian.sh)"
  fi
  mkdir -p "$state_dir"
  [ ! -s "$root_file" ] || cleanup
  root=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-wine.XXXXXX") || fail "no temp folder"
  echo "$root" >"$root_file"
  echo "$bits" >"$bits_file"
  if [ "$bits" = 32 ]; then
    bash "$(dirname "${BASH_SOURCE[0]}")/../odbc/make-odbcinst.sh" --arch i386-linux-gnu \
      "$root/odbc-i386" || fail "no i386 driver list"
  fi
  unset DISPLAY WAYLAND_DISPLAY
  make_prefix prefix
  if command -v Xvfb >/dev/null; then
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
      3>"$root/display-number" </dev/null >"$root/xvfb.log" 2>&1 &
    echo $! >"$root/xvfb.pid"
    for _ in $(seq 50); do
      [ -s "$root/display-number" ] && break
      sleep 0.1
    done
  fi
  if [ -s "$root/display-number" ]; then
    DISPLAY=:$(cat "$root/display-number") make_prefix display-prefix
  else
    echo "run-under-wine: Xvfb did not start; display tests will fail" >&2
  fi
}

cleanup() {
  [ -s "$root_file" ] || return 0
  root=$(cat "$root_file")
  local name
  for name in prefix display-prefix; do
    [ -d "$root/$name" ] || continue
    WINEPREFIX=$root/$name wineserver -k >/dev/null 2>&1
    WINEPREFIX=$root/$name timeout 30 wineserver -w >/dev/null 2>&1
  done
  if [ -s "$root/xvfb.pid" ]; then
    kill "$(cat "$root/xvfb.pid")" 2>/dev/null
  fi
  case $root in
    "${TMPDIR:-/tmp}"/quorlin-wine.*) rm -rf "$root" ;;
  esac
  rm -f "$root_file" "$bits_file"
  echo "Wine prefix removed"
}

# A copy of the driver list with the trace turned on, in place of the one the run was given;
# the trace goes to a short path of its own, which the program finds in QUORLIN_WINE_ODBC_TRACE.
trace_odbc() {
  local ini_dir
  ini_dir=$(mktemp -d "$root/t.XXXXXX") || fail "no folder for the trace settings"
  cat "${ODBCSYSINI:-/etc}/odbcinst.ini" >"$ini_dir/odbcinst.ini" || fail "no odbcinst.ini to trace"
  printf '\n[ODBC]\nTrace=Yes\nTraceFile=%s\n' "$ini_dir/trace.log" >>"$ini_dir/odbcinst.ini"
  export ODBCSYSINI=$ini_dir QUORLIN_WINE_ODBC_TRACE=$ini_dir/trace.log
}

# 0 when the output shows a passed GoogleTest run, 1 when it shows a failed one, 2 when the
# program is not a GoogleTest one.
gtest_verdict() {
  local out=$1
  grep -q '^\[==========\] Running' "$out" || return 2
  grep -q '^\[  FAILED  \]' "$out" && return 1
  grep -q '^\[  PASSED  \]' "$out" || return 1
  grep -Eq '^\[  (PASSED  |SKIPPED )\] [1-9]' "$out" || return 1
  return 0
}

# True when this run's 32-bit programs are emulated: the kernel hands i386 programs to qemu
# (setup-debian.sh registers it only where the kernel cannot run them itself).
emulated_32_bit() {
  [ "$(cat "$bits_file" 2>/dev/null)" = 32 ] &&
    [ "$(head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null)" = enabled ]
}

# What a run looks like when the emulator, not the program, failed: qemu's own signal report,
# Wine's client losing its server, or a fault inside Wine's own DLLs. qemu's user mode cannot
# carry Wine's structured exceptions, and is unreliable with many threads and signals.
emulator_failed() {
  grep -Eq 'qemu: uncaught target signal|wine client error|stack smashing detected|Unhandled (illegal instruction|page fault|privileged instruction)' "$1"
}

# One run of the program; sets status and verdict.
run_once() {
  local program=$1 limit=$2
  shift 2
  timeout -k 5 "$limit" "$wine_loader" "$program" "$@" </dev/null >"$out" 2>&1
  status=$?
  cat "$out"
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    verdict="ran longer than $limit s"
    return
  fi
  gtest_verdict "$out"
  case $? in
    0) verdict=pass ;;
    1) verdict="GoogleTest reports failures or ran nothing" ;;
    *)
      if [ -z "${QUORLIN_WINE_EXPECT:-}" ]; then
        verdict="no GoogleTest summary, and the test states no QUORLIN_WINE_EXPECT"
      elif grep -Eq -- "$QUORLIN_WINE_EXPECT" "$out"; then
        verdict=pass
      else
        verdict="the output does not match: $QUORLIN_WINE_EXPECT"
      fi
      ;;
  esac
  [ "$verdict" != pass ] || [ "$status" -eq 0 ] || verdict="exited with status $status"
}

run_program() {
  load_root
  local program=$1 limit=${QUORLIN_WINE_TIMEOUT:-240} attempts=1 attempt
  shift
  if [ "${QUORLIN_WINE_NATIVE_32:-}" = 1 ] && emulated_32_bit; then
    echo "run-under-wine: SKIP $program: it raises structured exceptions, which qemu's user-mode" \
      "emulation of 32-bit code cannot carry (\"Got unexpected trap -1\"), and this kernel runs" \
      "no 32-bit code itself; it runs where the kernel does (tests/windows/README.md)"
    exit 77
  fi
  export LANG=${QUORLIN_WINE_LANG:-C.UTF-8} LC_ALL=${QUORLIN_WINE_LANG:-C.UTF-8}
  if [ "${QUORLIN_WINE_DISPLAY:-}" = 1 ]; then
    [ -s "$root/display-number" ] || fail "no virtual display in this prefix (is Xvfb installed?)"
    export DISPLAY=:$(cat "$root/display-number")
  else
    unset DISPLAY WAYLAND_DISPLAY
  fi
  [ -z "${QUORLIN_WINE_ODBC_TRACE:-}" ] || trace_odbc
  out=$(mktemp "$root/run.XXXXXX") || fail "no file for the output"
  # Under emulation a run that the emulator broke is run again, saying so; a fault of the
  # program itself fails every attempt.
  emulated_32_bit && attempts=3
  for attempt in $(seq "$attempts"); do
    run_once "$program" "$limit" "$@"
    [ "$verdict" != pass ] && [ "$attempt" -lt "$attempts" ] && emulator_failed "$out" || break
    echo "run-under-wine: the emulator failed ($verdict); attempt $((attempt + 1)) of $attempts"
  done
  rm -f "$out"
  [ "$verdict" = pass ] || fail "$program: $verdict (exit status $status)"
}

case $1 in
  --setup)
    case ${2:-} in
      "") setup 64 ;;
      --bits) [[ ${3:-} =~ ^(32|64)$ ]] || usage; setup "$3" ;;
      *) usage ;;
    esac
    ;;
  --cleanup) cleanup ;;
  -*) usage ;;
  *) run_program "$@" ;;
esac
