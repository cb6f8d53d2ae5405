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

missing=()
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "run_with_watcher.sh: missing ${missing[*]} (apt-get install xvfb xdotool imagemagick)" >&2
  if [ "${CI:-}" = "true" ] || [ "${QUORLIN_REQUIRE_SERVERS:-}" = "1" ]; then exit 1; fi
  exit "$skipped"
fi

# The display is a server of this script's own. The server picks a free number itself
# (-displayfd), so two runs never race for one, and it is stopped and waited for before the
# script ends, so the next test never meets one that is still going away. Only this
# machine's local socket reaches it (-nolisten tcp).
xvfb_pid=""
display_dir=""

# Runs a command that talks to the display, three times at most: a busy virtual display
# now and then drops a connection while it is being set up.
on_display() {
  local attempt
  for attempt in 1 2 3; do
    "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
  [ -z "$display_dir" ] || rm -rf "$display_dir"
  display_dir=""
}
trap stop_display EXIT

start_display() {
  display_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-display.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_dir/number" \
    </dev/null >"$display_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local tenths
  for ((tenths = 0; tenths < 200; ++tenths)); do
    # The number is written once the server accepts connections.
    if [ -s "$display_dir/number" ]; then
      export DISPLAY=:$(head -n 1 "$display_dir/number")
      unset WAYLAND_DISPLAY XAUTHORITY
      on_display xdotool getdisplaygeometry >/dev/null && return 0
      break
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  sed 's/^/Xvfb: /' "$display_dir/xvfb.log" >&2
  stop_display
  return 1
}

display_started=0
for attempt in 1 2 3; do
  if start_display; then
    display_started=1
    break
  fi
  echo "run_with_watcher.sh: the virtual display could not be started (attempt $attempt of 3)" >&2
done
[ "$display_started" -eq 1 ] || exit 1

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

# The visible boxes' windows, one a line. Asked again when the display could not be asked
# (xdotool then says why on its error output; finding nothing it says nothing), so that a
# dropped connection never passes for a box that went away.
visible_boxes() {
  local attempt windows
  for attempt in 1 2 3; do
    windows=$(xdotool search --onlyvisible --name "$box_title" 2>"$display_dir/search-errors")
    if [ ! -s "$display_dir/search-errors" ]; then
      printf '%s\n' "$windows"
      return 0
    fi
    sleep 0.1
  done
  fail "could not look for boxes: $(head -n 1 "$display_dir/search-errors")"
}

visible_box() {
  visible_boxes | head -n 1
}

dismiss() {
  local window=$1 number=$2
  on_display import -window "$window" "$artefacts/$name-box$number.png" ||
    fail "could not photograph box $number"
  on_display import -window root "$artefacts/$name-screen$number.png" ||
    fail "could not photograph the screen with box $number"
  echo "box $number" >>"$dismissal_log"
  on_display xdotool windowfocus --sync "$window" key Return ||
    fail "could not press Return on box $number"
  while visible_boxes | grep -qx "$window"; do
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
