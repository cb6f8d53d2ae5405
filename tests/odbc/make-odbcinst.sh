#!/usr/bin/env bash
# Writes OUTDIR/odbcinst.ini (and an empty OUTDIR/odbc.ini) for use with ODBCSYSINI=OUTDIR.
#
#   make-odbcinst.sh [--arch MULTIARCH] OUTDIR
#
# ODBCSYSINI replaces /etc/odbcinst.ini entirely, so every driver the tests use is listed
# here, by absolute path, for one architecture: the native one by default, or MULTIARCH
# (i386-linux-gnu for the 32-bit Windows programs under Wine, whose driver manager loads
# i386 drivers only). A machine with both architectures has a driver of each name in both
# folders, so the folder is chosen by architecture, never by whichever matches first. The MariaDB driver is also registered under the MySQL driver
# name because the library picks its SQL dialect from the driver name.
# DontDLClose=1 keeps each driver loaded until the process ends, so that the sanitizer
# build can still name the driver a leak report points into (tests/lsan.supp).
set -euo pipefail

usage() {
  echo "usage: $0 [--arch MULTIARCH] OUTDIR" >&2
  exit 2
}

native_multiarch() {
  gcc -print-multiarch 2>/dev/null ||
    dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null ||
    echo "$(uname -m)-linux-gnu"
}

arch=""
if [ "${1:-}" = --arch ]; then
  [ -n "${2:-}" ] || usage
  arch=$2
  shift 2
fi
[ "$#" -eq 1 ] && [ -n "$1" ] || usage
out_dir=$1
[ -n "$arch" ] || arch=$(native_multiarch)

# /usr/local holds what setup-debian.sh unpacks itself (the i386 MariaDB driver).
find_driver() {
  local candidate
  for candidate in /usr/lib/"$arch"/odbc/"$1" /usr/local/lib/"$arch"/odbc/"$1"; do
    if [ -f "$candidate" ]; then
      echo "$candidate"
      return
    fi
  done
  echo "make-odbcinst.sh: driver $1 for $arch not found under /usr/lib/$arch/odbc/" \
    "or /usr/local/lib/$arch/odbc/ (run scripts/setup-debian.sh)" >&2
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
