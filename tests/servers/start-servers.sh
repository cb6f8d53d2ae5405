#!/usr/bin/env bash
# Starts a throwaway PostgreSQL cluster and a throwaway MariaDB server under STATEDIR,
# listening on 127.0.0.1 only, each with an empty database `quorlin`, and writes
# STATEDIR/env.sh with ODBCSYSINI and one connect string per server:
#   QUORLIN_TEST_PG, QUORLIN_TEST_MARIADB, QUORLIN_TEST_MYSQL
# Stop them with stop-servers.sh STATEDIR. On failure, whatever was started is stopped.
#
#   start-servers.sh [--first-ports PG,MARIADB] [--restart pg|mariadb] STATEDIR
#
# --first-ports  where the search for free ports starts (default 54329,33069), so that a
#                private pair keeps clear of the pair the rest of the suite shares
# --restart      start that one server again after it died, on the port it had, with its
#                data folder, database and env.sh as they were
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=server-common.sh
source "$here/server-common.sh"

first_pg_port=54329
first_mariadb_port=33069
restart=""
while [ "$#" -gt 1 ]; do
  case $1 in
    --first-ports) IFS=, read -r first_pg_port first_mariadb_port <<<"$2" ;;
    --restart) restart=$2 ;;
    *) break ;;
  esac
  shift 2
done
[[ "$first_pg_port" =~ ^[0-9]+$ && "$first_mariadb_port" =~ ^[0-9]+$ ]] ||
  { echo "start-servers: --first-ports takes two port numbers: PG,MARIADB" >&2; exit 2; }
case $restart in
  "" | pg | mariadb) ;;
  *) echo "start-servers: --restart takes pg or mariadb" >&2; exit 2 ;;
esac

state_dir=$(absolute_state_dir "$@")
pg_dir=$state_dir/pg
mariadb_dir=$state_dir/mariadb
odbc_dir=$state_dir/odbc
readonly kPortAttempts=20

log() { echo "start-servers: $*"; }
fail() {
  echo "start-servers: $*" >&2
  exit 1
}

port_in_use() {
  local port=$1
  if command -v ss >/dev/null 2>&1 && [ -n "$(ss -Htln "sport = :$port" 2>/dev/null)" ]; then
    return 0
  fi
  timeout 2 bash -c ": </dev/tcp/127.0.0.1/$port" 2>/dev/null
}

free_port_from() {
  local port=$1
  while port_in_use "$port"; do
    port=$((port + 1))
  done
  echo "$port"
}

# PostgreSQL refuses to run as root, so as root the cluster belongs to the postgres user.
as_postgres() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# Both servers take their folder on a command line split at blanks, and a Unix socket
# path must fit in 107 bytes.
check_state_dir_usable() {
  case $state_dir in
    *[[:space:]]*) fail "STATEDIR must not contain blanks: $state_dir" ;;
  esac
  [ "${#pg_dir}" -le 90 ] || fail "STATEDIR is too long for a socket path: $state_dir"
}

refuse_if_running() {
  if [ "$restart" != mariadb ] && [ -f "$pg_dir/postmaster.pid" ] &&
    server_process_of "$(head -n 1 "$pg_dir/postmaster.pid")" "$pg_dir"; then
    fail "PostgreSQL already runs on $pg_dir; run stop-servers.sh $state_dir first"
  fi
  if [ "$restart" != pg ] && [ -f "$mariadb_dir/pid" ] &&
    server_process_of "$(cat "$mariadb_dir/pid")" "$mariadb_dir"; then
    fail "MariaDB already runs on $mariadb_dir; run stop-servers.sh $state_dir first"
  fi
}

init_postgres() {
  [ -f "$pg_dir/PG_VERSION" ] && return
  mkdir -p "$pg_dir"
  if [ "$(id -u)" -eq 0 ]; then
    # The postgres user must reach its data folder through STATEDIR.
    chmod a+x "$state_dir"
    chown postgres: "$pg_dir"
    runuser -u postgres -- test -w "$pg_dir" ||
      fail "the postgres user cannot reach $pg_dir; use a STATEDIR outside private folders"
  fi
  chmod 700 "$pg_dir"
  log "initdb $pg_dir"
  (cd "$pg_dir" && as_postgres "$pg_bin/initdb" -D "$pg_dir" -U postgres --auth=trust \
    -E UTF8 --locale=C.UTF-8) >"$state_dir/pg-initdb.log" 2>&1 ||
    fail "initdb failed; see $state_dir/pg-initdb.log"
}

# Starts PostgreSQL on PORT; with SEARCH, on the first free port from PORT on.
start_postgres() {
  local port=$1 search=$2 attempt log_lines
  for ((attempt = 0; attempt < kPortAttempts; attempt++)); do
    [ "$search" = search ] && port=$(free_port_from "$port")
    log "PostgreSQL on 127.0.0.1:$port"
    log_lines=0
    [ -f "$pg_dir/server.log" ] && log_lines=$(wc -l <"$pg_dir/server.log")
    if (cd "$pg_dir" && as_postgres "$pg_bin/pg_ctl" -D "$pg_dir" -l "$pg_dir/server.log" -w \
      -t "$kServerTimeoutSeconds" -o "-k $pg_dir -c listen_addresses=127.0.0.1 -p $port" \
      start) >>"$state_dir/pg-ctl.log" 2>&1 </dev/null; then
      pg_port=$port
      return
    fi
    # Another process may have taken the port between the probe and the bind; a restart
    # must have its own port or nothing.
    if [ "$search" != search ] || ! tail -n +"$((log_lines + 1))" "$pg_dir/server.log" \
      2>/dev/null | grep -q "could not bind\|Address already in use"; then
      fail "PostgreSQL did not start; see $pg_dir/server.log and $state_dir/pg-ctl.log"
    fi
    log "port $port was taken meanwhile; trying the next one"
    port=$((port + 1))
  done
  fail "PostgreSQL found no free port; see $pg_dir/server.log"
}

create_postgres_database() {
  local psql=("$pg_bin/psql" -X -q -h 127.0.0.1 -p "$pg_port" -U postgres -d postgres -v ON_ERROR_STOP=1)
  if [ -z "$("${psql[@]}" -tA -c "SELECT 1 FROM pg_database WHERE datname = 'quorlin'")" ]; then
    "${psql[@]}" -c "CREATE DATABASE quorlin" || fail "could not create the PostgreSQL database"
  fi
}

init_mariadb() {
  [ -d "$mariadb_dir/mysql" ] && return
  mkdir -p "$mariadb_dir"
  log "mariadb-install-db $mariadb_dir"
  mariadb-install-db --datadir="$mariadb_dir" --user="$(id -un)" \
    --auth-root-authentication-method=normal --skip-test-db \
    >"$state_dir/mariadb-install.log" 2>&1 </dev/null ||
    fail "mariadb-install-db failed; see $state_dir/mariadb-install.log"
}

# The clients talk to the throwaway server through its socket, whatever /etc/mysql says.
mariadb_client=(--no-defaults -S "$mariadb_dir/sock" -uroot)

# Starts mariadbd detached on PORT; succeeds once it answers a ping.
try_start_mariadb() {
  local port=$1 pid deadline
  rm -f "$mariadb_dir/pid"
  : >"$mariadb_dir/err.log"
  # Debian's /etc/mysql defaults stay in force (utf8mb4); the options here only move
  # everything the server writes into the data folder and onto loopback.
  setsid mariadbd --datadir="$mariadb_dir" --socket="$mariadb_dir/sock" --port="$port" \
    --bind-address=127.0.0.1 --user="$(id -un)" --pid-file="$mariadb_dir/pid" \
    --log-error="$mariadb_dir/err.log" </dev/null >>"$mariadb_dir/stdout.log" 2>&1 &
  pid=$!
  echo "$pid" >"$mariadb_dir/launch.pid"
  deadline=$((SECONDS + kServerTimeoutSeconds))
  while ! mariadb-admin "${mariadb_client[@]}" ping >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null || true
      return 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      stop_server_process MariaDB "$pid" "$mariadb_dir" TERM KILL || true
      fail "MariaDB did not answer within ${kServerTimeoutSeconds}s; see $mariadb_dir/err.log"
    fi
    sleep 0.2
  done
}

# Starts MariaDB on PORT; with SEARCH, on the first free port from PORT on.
start_mariadb() {
  local port=$1 search=$2 attempt
  for ((attempt = 0; attempt < kPortAttempts; attempt++)); do
    [ "$search" = search ] && port=$(free_port_from "$port")
    log "MariaDB on 127.0.0.1:$port"
    if try_start_mariadb "$port"; then
      mariadb_port=$port
      return
    fi
    if [ "$search" != search ] ||
      ! grep -q "Address already in use\|Can't start server: Bind" "$mariadb_dir/err.log"; then
      fail "MariaDB did not start; see $mariadb_dir/err.log"
    fi
    log "port $port was taken meanwhile; trying the next one"
    port=$((port + 1))
  done
  fail "MariaDB found no free port; see $mariadb_dir/err.log"
}

create_mariadb_database() {
  mariadb "${mariadb_client[@]}" -e "CREATE DATABASE IF NOT EXISTS quorlin" ||
    fail "could not create the MariaDB database"
}

# The ports a restart takes again.
write_ports() {
  printf 'pg_port=%s\nmariadb_port=%s\n' "$pg_port" "$mariadb_port" >"$state_dir/ports"
}

write_env() {
  local pg="Driver=PostgreSQL;Server=127.0.0.1;Port=$pg_port;Database=quorlin;UID=postgres;PWD=;"
  local mariadb_rest="Server=127.0.0.1;Port=$mariadb_port;Database=quorlin;UID=root;PWD=;"
  cat >"$state_dir/env.sh" <<ENV
# Written by tests/servers/start-servers.sh; source it before running the tests.
export ODBCSYSINI='$odbc_dir'
export QUORLIN_TEST_PG='$pg'
export QUORLIN_TEST_MARIADB='Driver=MariaDB;$mariadb_rest'
export QUORLIN_TEST_MYSQL='Driver=MySQL ODBC 3.51 Driver;$mariadb_rest'
ENV
}

# A connect string counts only once the real driver manager connects and runs a query.
check_connect_string() {
  local name=$1 connect=$2 output
  if ! output=$(echo "SELECT 1" | ODBCSYSINI=$odbc_dir isql -v -k -b "$connect" 2>&1) ||
    ! grep -qx "1" <<<"$(tr -d ' |' <<<"$output")"; then
    fail "isql could not use $name ($connect): $output"
  fi
  log "isql connects through $name"
}

stop_on_failure() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    bash "$here/stop-servers.sh" "$state_dir" >&2 || true
  fi
}

pg_bin=$(postgres_bin_dir) || exit 1
command -v mariadbd >/dev/null || fail "mariadbd not found (run scripts/setup-debian.sh)"
command -v isql >/dev/null || fail "isql not found (run scripts/setup-debian.sh)"
check_state_dir_usable
refuse_if_running
# A restart leaves the other server alone, whatever happens.
if [ -n "$restart" ]; then
  [ -f "$state_dir/ports" ] || fail "nothing to restart: $state_dir/ports is missing"
  # shellcheck disable=SC1091 # written by write_ports
  source "$state_dir/ports"
  if [ "$restart" = pg ]; then start_postgres "$pg_port" exact; else start_mariadb "$mariadb_port" exact; fi
  log "$restart restarted"
  exit 0
fi
trap stop_on_failure EXIT

bash "$here/../odbc/make-odbcinst.sh" "$odbc_dir"
init_postgres
start_postgres "$first_pg_port" search
create_postgres_database
init_mariadb
start_mariadb "$first_mariadb_port" search
create_mariadb_database
write_ports
write_env
# shellcheck disable=SC1091 # written just above
source "$state_dir/env.sh"
check_connect_string QUORLIN_TEST_PG "$QUORLIN_TEST_PG"
check_connect_string QUORLIN_TEST_MARIADB "$QUORLIN_TEST_MARIADB"
check_connect_string QUORLIN_TEST_MYSQL "$QUORLIN_TEST_MYSQL"
log "ready; source $state_dir/env.sh"
