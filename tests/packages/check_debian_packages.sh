#!/usr/bin/env bash
# Installs the Debian packages of DEB_DIR on this machine as a user would (apt-get install
# ./*.deb), then uses them with no paths added: builds the example hosts with pkg-config and
# with CMake and runs them on SQLite, runs qhost and the Python package, finds the manual
# pages; and removes the packages again, whatever happened.
#
#   tests/packages/check_debian_packages.sh DEB_DIR
set -euo pipefail
deb_dir=$(cd "${1:?usage: $0 DEB_DIR}" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
names=(libquorlin1 libquorlin-dev quorlin-qhost python3-quorlin)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

debs=()
for name in "${names[@]}"; do
  deb=$(ls "$deb_dir/${name}_"*.deb 2>/dev/null | head -n 1)
  [ -n "$deb" ] || { echo "no $name package in $deb_dir" >&2; exit 1; }
  debs+=("$deb")
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-packages.XXXXXX")
remove_packages() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge "${names[@]}" >/dev/null ||
    echo "check_debian_packages.sh: could not remove ${names[*]}" >&2
  rm -rf "$work"
}
trap remove_packages EXIT

# What each package declares it needs, as apt-get will see it.
runtime_depends=$(dpkg-deb -f "${debs[0]}" Depends)
for needed in libodbc2 libwxgtk3.2; do
  grep -q "$needed" <<<"$runtime_depends" ||
    { echo "libquorlin1 does not depend on $needed: $runtime_depends" >&2; exit 1; }
done
for deb in "${debs[@]:1}"; do
  grep -q "libquorlin1 (= " <<<"$(dpkg-deb -f "$deb" Depends)" ||
    { echo "$(basename "$deb") does not depend on libquorlin1 of its version" >&2; exit 1; }
done

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${debs[@]}" >"$work/install.log" ||
  { cat "$work/install.log" >&2; exit 1; }

version=$(sed -n 's/^#define QUORLIN_VERSION "\(.*\)"$/\1/p' "$repo/include/quorlin.h")
[ "$(qhost --version)" = "qhost $version" ] ||
  { echo "qhost --version says '$(qhost --version)', not qhost $version" >&2; exit 1; }
for page in quorlin.3 SQLConnectToDatabase.3 SQLDisplay.3; do
  [ -e "/usr/share/man/man3/$page.gz" ] || [ -e "/usr/share/man/man3/$page" ] ||
    { echo "the packages installed no $page" >&2; exit 1; }
done
[ -e /usr/share/man/man1/qhost.1.gz ] || [ -e /usr/share/man/man1/qhost.1 ] ||
  { echo "the packages installed no qhost.1" >&2; exit 1; }

# The project's own driver list names SQLite3 whatever the machine's holds.
bash "$repo/tests/odbc/make-odbcinst.sh" "$work/odbc" >/dev/null
export ODBCSYSINI=$work/odbc

expected=$'2 tanks above 2:\n  T2 at 2.5\n  T3 at 4.0\naverage level 2.67'
check_host() {
  local output
  output=$("$1" "$work/tanks.db")
  [ "$output" = "$expected" ] || { echo "$1 printed:" >&2; echo "$output" >&2; exit 1; }
  # Whole output first: grep -q stopping early would fail the pipe under pipefail.
  local links
  links=$(ldd "$1")
  grep -qE "libquorlin\.so\.1 => (/usr)?/lib/" <<<"$links" ||
    { echo "$1 does not load the installed library:" >&2; echo "$links" >&2; exit 1; }
}
# shellcheck disable=SC2046 # word splitting of the flags is intended
cc "$repo/examples/hosts/c_host.c" $(pkg-config --cflags --libs quorlin) -o "$work/c_host"
check_host "$work/c_host"
cmake -S "$repo/examples/hosts" -B "$work/hosts" >/dev/null
cmake --build "$work/hosts" >/dev/null
check_host "$work/hosts/c_host"
check_host "$work/hosts/cpp_host"

# Python finds the package and, through the system's loader, the library.
/usr/bin/python3 - "$work/py.db" <<'PY'
import sys
import quorlin
with quorlin.connect("Driver=SQLite3;Database=" + sys.argv[1]) as db:
    db.execute("CREATE TABLE Tanks (Tag CHAR(8), Level FLOAT)")
    db.insert("Tanks", {"Tag": "T1", "Level": 1.5})
    rows = db.select("Tanks", "")
    assert [row["Tag"] for row in rows] == ["T1"], list(rows)
print("python ok")
PY
sizes=()
for deb in "${debs[@]}"; do sizes+=("$(basename "$deb") $(du -k "$deb" | cut -f1) KB"); done
echo "packages installed, used with no paths added, and removed again:"
printf '  %s\n' "${sizes[@]}"
