#!/usr/bin/env bash
# Writes OUTDIR/odbcinst.ini (and an empty OUTDIR/odbc.ini) for use with ODBCSYSINI=OUTDIR.
# ODBCSYSINI replaces /etc/odbcinst.ini entirely, so every driver the tests use is listed
# here, by absolute path. The MariaDB driver is also registered under the MySQL driver
# name because the library picks its SQL dialect from the driver name.
# DontDLClose=1 keeps each driver loaded until the process ends, so that the sanitizer
# build can still name the driver a leak report points into (tests/lsan.supp).
set -euo pipefail

if [ "$#" -ne 1 ] || [ -z "$1" ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
out_dir=$1

find_driver() {
  local candidate
  for candidate in /usr/lib/*/odbc/"$1"; do
    if [ -f "$candidate" ]; then
      echo "$candidate"
      return
    fi
  done
  echo "make-odbcinst.sh: driver $1 not found under /usr/lib/*/odbc/ (run scripts/setup-debian.sh)" >&2
  exit 1
}

sqlite_driver=$(find_driver libsqlite3odbc.so)
postgres_driver=$(find_driver psqlodbca.so)
mariadb_driver=$(find_driver libmaodbc.so)

mkdir -p "$out_dir"
tmp_file=$(mktemp "$out_dir/odbcinst.ini.XXXXXX")
cat >"$tmp_file" <<INI
[SQLite3]
Description=SQLite3 ODBC driver
Driver=$sqlite_driver
DontDLClose=1

[PostgreSQL]
Description=PostgreSQL ODBC driver (ANSI)
Driver=$postgres_driver
# The system file turns CommLog on, which leaves a log file per process in /tmp.
CommLog=0
Debug=0
DontDLClose=1

[MariaDB]
Description=MariaDB Connector/ODBC
Driver=$mariadb_driver
DontDLClose=1

[MySQL ODBC 3.51 Driver]
Description=MariaDB Connector/ODBC under the MySQL driver name
Driver=$mariadb_driver
DontDLClose=1
INI
chmod 644 "$tmp_file"
mv "$tmp_file" "$out_dir/odbcinst.ini"
[ -f "$out_dir/odbc.ini" ] || : >"$out_dir/odbc.ini"
