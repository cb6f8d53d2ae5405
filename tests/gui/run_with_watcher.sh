#!/usr/bin/env bash
# Runs a GUI test program on a virtual X display and plays the operator: each message box
# titled "Quorlin" that the program shows is photographed into ARTEFACT_DIR, noted in a
# dismissal log that the program reads (QUORLIN_TEST_DISMISSAL_LOG), and dismissed with
# Return. The program is killed if it has not finished within the time limit, so a box
# that never appears (or never goes away) fails the test instead of hanging it.
#
#   run_with_watcher.sh ARTEFACT_DIR NAME PROGRAM [ARGUMENTS...]
#
# Exit status: the program's, 1 on a time-out or a box that stays, 77 (skipped) when Xvfb,
# xdotool or ImageMagick's import is missing, unless CI=true or QUORLIN_REQUIRE_SERVERS=1,
# where that fails.
set -u

readonly time_limit_seconds=${QUORLIN_GUI_TIME_LIMIT:-60}
readonly box_title='^Quorlin$'
readonly skipped=77
readonly display_unreachable=75

if [ "${1:-}" != "--on-display" ]; then
  missing=()
  for tool in xvfb-run Xvfb xauth xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "run_with_watcher.sh: missing ${missing[*]} (apt-get install xvfb xauth xdotool imagemagick)" >&2
    if [ "${CI:-}" = "true" ] || [ "${QUORLIN_REQUIRE_SERVERS:-}" = "1" ]; then exit 1; fi
    exit "$skipped"
  fi
  # A display that xvfb-run picked but that cannot be reached (another server took the
  # number first, a stale socket) is tried again on a fresh one instead of failing the test.
  for attempt in 1 2 3; do
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display "$@"
    status=$?
    [ "$status" -ne "$display_unreachable" ] && exit "$status"
    echo "run_with_watcher.sh: the virtual display could not be reached (attempt $attempt of 3)" >&2
  done
  exit 1
fi
shift
xdotool getdisplaygeometry >/dev/null 2>&1 || exit "$display_unreachable"

artefacts=$1
name=$2
shift 2
mkdir -p "$artefacts"
dismissal_log="$artefacts/$name.dismissed"
: >"$dismissal_log"
rm -f "$artefacts/$name"-box*.png "$artefacts/$name"-screen*.png

QUORLIN_TEST_DISMISSAL_LOG=$dismissal_log "$@" &
program=$!
deadline=$((SECONDS + time_limit_seconds))

fail() {
  echo "run_with_watcher.sh: $*" >&2
  kill -KILL "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  exit 1
}

visible_box() {
  xdotool search --onlyvisible --name "$box_title" 2>/dev/null | head -n 1
}

dismiss() {
  local window=$1 number=$2
  import -window "$window" "$artefacts/$name-box$number.png" ||
    fail "could not photograph box $number"
  import -window root "$artefacts/$name-screen$number.png" ||
    fail "could not photograph the screen with box $number"
  echo "box $number" >>"$dismissal_log"
  xdotool windowfocus --sync "$window" key Return
  while [ -n "$(xdotool search --onlyvisible --name "$box_title" 2>/dev/null | grep -x "$window")" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "box $number stayed after Return"
    sleep 0.1
  done
}

boxes=0
while kill -0 "$program" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "program still running after ${time_limit_seconds}s"
  window=$(visible_box)
  if [ -n "$window" ]; then
    boxes=$((boxes + 1))
    dismiss "$window" "$boxes"
  else
    sleep 0.1
  fi
done
wait "$program"
status=$?
echo "run_with_watcher.sh: $boxes box(es) dismissed, artefacts in $artefacts"
exit "$status"
