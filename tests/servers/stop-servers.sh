#!/usr/bin/env bash
# Stops the servers start-servers.sh started under STATEDIR, each by its own pid, and
# waits until they have ended. Does nothing for a server that is not running, so it is
# safe to call more than once.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=server-common.sh
source "$here/server-common.sh"

state_dir=$(absolute_state_dir "$@")
pg_dir=$state_dir/pg
mariadb_dir=$state_dir/mariadb
status=0

# PostgreSQL: SIGINT is its fast shutdown; SIGQUIT is the immediate one.
if [ -f "$pg_dir/postmaster.pid" ]; then
  stop_server_process PostgreSQL "$(head -n 1 "$pg_dir/postmaster.pid")" "$pg_dir" INT QUIT ||
    status=1
fi

# MariaDB: the pid file it writes itself, or, if it died before writing one, the pid it
# was launched with.
for pid_file in "$mariadb_dir/pid" "$mariadb_dir/launch.pid"; do
  if [ -f "$pid_file" ]; then
    stop_server_process MariaDB "$(cat "$pid_file")" "$mariadb_dir" TERM KILL || status=1
  fi
done

exit "$status"
