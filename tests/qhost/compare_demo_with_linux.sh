#!/usr/bin/env bash
# Runs a qhost script with the Windows qhost under Wine and with the Linux qhost, each from a
# fresh folder of its own, and compares the two transcripts, line ends aside.
#
#   compare_demo_with_linux.sh --runner "RUNNER ARGS" --windows-qhost EXE --windows-library DLL
#                              --linux-build DIR --script FILE
#
# Exits 77 when no Linux build is named (where CI=true that is a failure).
set -euo pipefail

while [ "$#" -gt 1 ]; do
  case $1 in
    --runner) read -r -a runner <<<"$2" ;;
    --windows-qhost) windows_qhost=$2 ;;
    --windows-library) windows_library=$2 ;;
    --linux-build) linux_build=$2 ;;
    --script) script=$2 ;;
    *) echo "compare_demo_with_linux: unknown argument $1" >&2 && exit 2 ;;
  esac
  shift 2
done

linux_qhost=${linux_build:+$linux_build/tools/qhost/qhost}
if [ -z "${linux_qhost:-}" ] || [ ! -x "$linux_qhost" ]; then
  echo "compare_demo_with_linux: no Linux qhost (configure with -DQUORLIN_LINUX_BUILD_DIR=DIR)" >&2
  [ "${CI:-}" = true ] && exit 1
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-demo-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"
(cd "$work/linux" && DISPLAY='' WAYLAND_DISPLAY='' "$linux_qhost" \
  --library "$linux_build/libquorlin.so" "$script" >transcript 2>&1 </dev/null) ||
  { cat "$work/linux/transcript"; echo "compare_demo_with_linux: the Linux run failed" >&2; exit 1; }
(cd "$work/windows" && QUORLIN_WINE_EXPECT='qhost> disconnect' "${runner[@]}" "$windows_qhost" \
  --library "$windows_library" "$script" >transcript </dev/null) ||
  { cat "$work/windows/transcript"; echo "compare_demo_with_linux: the Windows run failed" >&2; exit 1; }
# Why the View data dialog cannot be shown without a display is each system's own.
same_reason='s/^(not shown: SQLDisplay cannot show the View data dialog).*/\1 .../'
sed -E "$same_reason" "$work/linux/transcript" >"$work/linux/transcript.lf"
tr -d '\r' <"$work/windows/transcript" | sed -E "$same_reason" >"$work/windows/transcript.lf"
if ! diff -u "$work/linux/transcript.lf" "$work/windows/transcript.lf"; then
  echo "compare_demo_with_linux: the transcripts differ (- Linux, + Windows)" >&2
  exit 1
fi
echo "the transcripts match: $(wc -l <"$work/linux/transcript.lf") lines"
