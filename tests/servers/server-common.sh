# shellcheck shell=bash
# Helpers shared by start-servers.sh and stop-servers.sh (sourced, not run).
# State layout under STATEDIR: pg/ (PostgreSQL data folder), mariadb/ (MariaDB data
# folder), odbc/ (odbcinst.ini for ODBCSYSINI), env.sh (what the tests source).

readonly kServerTimeoutSeconds=60

absolute_state_dir() {
  if [ "$#" -ne 1 ] || [ -z "$1" ]; then
    echo "usage: $0 STATEDIR" >&2
    exit 2
  fi
  mkdir -p "$1"
  (cd "$1" && pwd -P)
}

# The newest installed PostgreSQL server binaries; Debian keeps them off PATH.
postgres_bin_dir() {
  local dir
  dir=$(printf '%s\n' /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
  if [ -z "$dir" ] || [ ! -x "$dir/initdb" ]; then
    echo "PostgreSQL server binaries not found under /usr/lib/postgresql (run scripts/setup-debian.sh)" >&2
    return 1
  fi
  echo "$dir"
}

# True when PID is alive and was started on DATADIR, so a stale pid file whose number
# now belongs to some other process never gets that process signalled.
server_process_of() {
  local pid=$1 data_dir=$2
  [[ "$pid" =~ ^[0-9]+$ ]] || return 1
  process_running "$pid" || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$data_dir"
}

# True while PID runs. A zombie has ended (in a container its new parent may never reap
# it), unless only its main thread has exited and other threads still shut down.
process_running() {
  kill -0 "$1" 2>/dev/null || return 1
  local state threads
  state=$(sed -E 's/^[0-9]+ \(.*\) (.).*/\1/' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "$state" != Z ] && return 0
  threads=$(find "/proc/$1/task" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
  [ "$threads" -gt 1 ]
}

# Waits until PID has ended; false after the timeout. Then gives its parent a moment to
# reap it, so that no defunct entry lingers in the process list.
wait_for_exit() {
  local pid=$1 deadline=$((SECONDS + kServerTimeoutSeconds)) tries
  while process_running "$pid"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
  for ((tries = 0; tries < 25; tries++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.2
  done
}

# Sends SIGNAL to the server on DATADIR whose pid is PID and waits for it to end;
# escalates to FORCE_SIGNAL if it outlives the timeout.
stop_server_process() {
  local name=$1 pid=$2 data_dir=$3 signal=$4 force_signal=$5
  server_process_of "$pid" "$data_dir" || return 0
  echo "stopping $name (pid $pid)"
  kill "-$signal" "$pid" 2>/dev/null || true
  if ! wait_for_exit "$pid"; then
    echo "$name (pid $pid) still running after ${kServerTimeoutSeconds}s; sending SIG$force_signal" >&2
    kill "-$force_signal" "$pid" 2>/dev/null || true
    wait_for_exit "$pid" || { echo "$name (pid $pid) did not stop" >&2; return 1; }
  fi
}

# Kills the server on DATADIR whose pid is PID with SIGKILL, as a crash would, and waits
# until it and the processes it had started have ended: PostgreSQL's backends go by
# themselves once their postmaster has died, and a new postmaster cannot take the data
# folder while any of them is still attached to it.
kill_server_process() {
  local name=$1 pid=$2 data_dir=$3 child
  server_process_of "$pid" "$data_dir" || { echo "$name is not running on $data_dir" >&2; return 1; }
  local children=() status
  for status in /proc/[0-9]*/status; do
    if grep -qx "PPid:[[:space:]]*$pid" "$status" 2>/dev/null; then
      children+=("$(basename "$(dirname "$status")")")
    fi
  done
  echo "killing $name (pid $pid)"
  kill -KILL "$pid"
  wait_for_exit "$pid" || { echo "$name (pid $pid) did not end" >&2; return 1; }
  for child in "${children[@]}"; do
    wait_for_exit "$child" || { echo "$name process $child did not end" >&2; return 1; }
  done
}
