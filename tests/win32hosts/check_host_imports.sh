#!/usr/bin/env bash
# Checks what a host linked at build time imports from the library's DLL: at least one
# export, and on 32-bit Windows each under its decorated name _Name@Bytes (the names the DLL
# exports); on 64-bit the plain names.
#
#   check_host_imports.sh OBJDUMP HOST.exe DLL-NAME POINTER-SIZE
set -euo pipefail
[ "$#" -eq 4 ] || { sed -n '6s/^# //p' "$0" >&2; exit 2; }
objdump=$1 host=$2 dll=$3 pointer_size=$4

# objdump -p lists each imported DLL ("DLL Name: X") and then its names, one a line, up to an
# empty line.
imports=$("$objdump" -p "$host" | awk -v dll="$dll" '
  /DLL Name:/ { inside = (tolower($3) == tolower(dll)); next }
  /^[ \t]*$/ { inside = 0 }
  inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print $3 }')
if [ -z "$imports" ]; then
  echo "FAIL: $host imports nothing from $dll" >&2
  exit 1
fi
if [ "$pointer_size" = 4 ]; then
  pattern='^_[A-Za-z]+@[0-9]+$'
else
  pattern='^[A-Za-z]+$'
fi
wrong=$(grep -Ev "$pattern" <<<"$imports" || true)
if [ -n "$wrong" ]; then
  echo "FAIL: $host imports from $dll names that the DLL does not export:" >&2
  echo "$wrong" >&2
  exit 1
fi
echo "$host imports $(wc -l <<<"$imports") names from $dll:"
echo "$imports"
