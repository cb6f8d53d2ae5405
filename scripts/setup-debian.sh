#!/usr/bin/env bash
# Installs everything Quorlin needs to build, test and benchmark on Debian 12, from
# Debian's own archive only. Safe to run again: when every package is present and the
# Chinese locales exist, it touches nothing and returns at once.
#
#   setup-debian.sh [--main]
#
# --main  only what the main job needs: the library's build dependencies, the SQLite driver
#         and the GUI runtime (scripts/run-main.sh), so that a first run is quick
set -euo pipefail

main_only=0
case "${1:-}" in
  --main) main_only=1 ;;
  "") ;;
  *) echo "usage: $0 [--main]" >&2 && exit 2 ;;
esac

main_packages=(
  build-essential cmake pkg-config
  unixodbc unixodbc-dev libsqliteodbc
  libwxgtk3.2-dev libx11-dev libcairo2-dev libreadline-dev
)

packages=(
  # toolchain
  build-essential cmake pkg-config clang-format
  # driver manager and the three real drivers
  unixodbc unixodbc-dev libsqliteodbc odbc-postgresql odbc-mariadb
  # throwaway servers for the integration tests
  postgresql mariadb-server mariadb-client
  # fuzzing the file readers: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # tests, benchmarks, the sample host, the manual pages' lint, the Python package's tests
  googletest libgtest-dev libgmock-dev libbenchmark-dev libreadline-dev mandoc python3-pytest
  # Debian packages: dpkg-shlibdeps
  dpkg-dev
  # the pyodbc path of the select benchmark
  python3-pyodbc
  # Windows builds: the 32-bit DLLs, run under 32-bit Wine with the i386 driver manager and
  # drivers (Wine's odbc32 forwards to them); MSVC-style import libraries and an MSVC-ABI
  # test host (lld-link, clang); the Windows zip
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools g++-mingw-w64-x86-64 wine64
  wine32:i386 libodbc2:i386 libsqliteodbc:i386 odbc-postgresql:i386
  # what the i386 MariaDB driver needs; the driver itself see below
  libmariadb3:i386 libodbcinst2:i386
  lld zip unzip
  # runs the i386 programs where the kernel does not (see enable_i386_execution)
  qemu-user-static
  # viewer tests on a virtual display; print output checks
  xvfb xauth xdotool libwxgtk3.2-dev libx11-dev libcairo2-dev imagemagick fonts-wqy-zenhei
  poppler-utils
  locales
)
# "locale-gen" spelling of each locale, and how `locale -a` lists it.
locales_wanted=("zh_CN.UTF-8 UTF-8" "zh_CN.GBK GBK" "de_DE.UTF-8 UTF-8")
locales_listed=("zh_CN.utf8" "zh_CN.gbk" "de_DE.utf8")

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "setup-debian.sh: needs root or sudo to run: $*" >&2
    exit 1
  fi
}

# A package installed for two architectures (libsqliteodbc and libsqliteodbc:i386) has one
# status line each; any installed one counts.
missing_packages() {
  local p
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${db:Status-Abbrev}\n' "$p" 2>/dev/null | grep -q '^ii '; then
      echo "$p"
    fi
  done
}

# The 32-bit Wine and drivers come from Debian's i386 archive.
enable_i386() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup-debian.sh: adding the i386 architecture"
    as_root dpkg --add-architecture i386
  fi
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  if [ "${#missing[@]}" -eq 0 ]; then
    echo "setup-debian.sh: all packages present"
    return
  fi
  echo "setup-debian.sh: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y \
    "${missing[@]}"
}

# Debian's odbc-mariadb cannot be installed for two architectures at once (it is not
# multi-arch), so the i386 driver is taken from its package file and placed where the
# 32-bit driver list (tests/odbc/make-odbcinst.sh) looks for it; its libraries are
# ordinary i386 packages above.
i386_mariadb_driver=/usr/local/lib/i386-linux-gnu/odbc/libmaodbc.so
install_i386_mariadb_driver() {
  [ -f "$i386_mariadb_driver" ] && return
  echo "setup-debian.sh: unpacking the i386 MariaDB ODBC driver to $i386_mariadb_driver"
  local work
  work=$(mktemp -d "${TMPDIR:-/tmp}/quorlin-maodbc.XXXXXX")
  (cd "$work" && apt-get download odbc-mariadb:i386 >/dev/null)
  dpkg-deb -x "$work"/odbc-mariadb_*_i386.deb "$work/root"
  as_root install -D -m 644 "$work/root/usr/lib/i386-linux-gnu/odbc/libmaodbc.so" \
    "$i386_mariadb_driver"
  rm -rf "$work"
}

# Some kernels are built or booted without IA-32 emulation: every i386 program then fails
# with "Exec format error", 32-bit Wine included. There the kernel is told to hand i386
# programs to qemu's user-mode emulator (binfmt_misc; until the next boot). Wine needs a
# guest address space that qemu is told of (tests/wine/run-under-wine.sh sets it).
i386_probe=/usr/lib/wine/wine
i386_runs() {
  "$i386_probe" --version >/dev/null 2>&1
}
enable_i386_execution() {
  i386_runs && return
  local misc=/proc/sys/fs/binfmt_misc
  if [ ! -e "$misc/register" ]; then
    as_root mount -t binfmt_misc binfmt_misc "$misc"
  fi
  if [ ! -e "$misc/qemu-i386" ]; then
    echo "setup-debian.sh: this kernel runs no 32-bit code; i386 programs go to qemu-i386-static"
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | as_root tee "$misc/register" >/dev/null
  fi
  if ! i386_runs; then
    echo "setup-debian.sh: i386 programs still do not run ($i386_probe --version)" >&2
    exit 1
  fi
}

locale_present() {
  locale -a 2>/dev/null | grep -qix "$1"
}

generate_locales() {
  local i needed=0
  for i in "${!locales_wanted[@]}"; do
    locale_present "${locales_listed[$i]}" && continue
    needed=1
    local line=${locales_wanted[$i]}
    if grep -qE "^#? *${line//./\\.}\$" /etc/locale.gen; then
      as_root sed -i -E "s|^# *(${line//./\\.})\$|\\1|" /etc/locale.gen
    else
      echo "$line" | as_root tee -a /etc/locale.gen >/dev/null
    fi
  done
  if [ "$needed" -eq 1 ]; then
    as_root locale-gen
  fi
  for i in "${!locales_listed[@]}"; do
    if ! locale_present "${locales_listed[$i]}"; then
      echo "setup-debian.sh: locale ${locales_wanted[$i]} could not be generated" >&2
      exit 1
    fi
  done
}

if [ "$main_only" -eq 1 ]; then
  packages=("${main_packages[@]}")
  install_packages
  exit 0
fi
enable_i386
install_packages
install_i386_mariadb_driver
enable_i386_execution
generate_locales
