#!/usr/bin/env bash
# Stops the servers start-servers.sh started under STATEDIR, each by its own pid, and
# waits until they have ended. Does nothing for a server that is not running, so it is
# safe to call more than once.
#
#   stop-servers.sh [--kill pg|mariadb] STATEDIR
#
# --kill  end that one server at once with SIGKILL, as a crash would (no shutdown), and
#         wait until it has gone; start-servers.sh --restart brings it back
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=server-common.sh
source "$here/server-common.sh"

kill_name=""
if [ "$#" -gt 1 ] && [ "$1" = --kill ]; then
  kill_name=$2
  shift 2
fi
state_dir=$(absolute_state_dir "$@")
pg_dir=$state_dir/pg
mariadb_dir=$state_dir/mariadb
status=0

case $kill_name in
  "") ;;
  pg) kill_server_process PostgreSQL "$(head -n 1 "$pg_dir/postmaster.pid")" "$pg_dir"; exit ;;
  mariadb) kill_server_process MariaDB "$(cat "$mariadb_dir/pid")" "$mariadb_dir"; exit ;;
  *) echo "stop-servers: --kill takes pg or mariadb" >&2; exit 2 ;;
esac

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
