#!/bin/sh
# man.lint: checks the manual pages of docs/man.
#
#   sh docs/man/check-pages.sh [MANDIR [HEADER]]
#
# 1. Every page (*.1, *.3) passes `mandoc -T lint -W warning` with no output and exit 0.
# 2. Every export declared in the header (the lines `QUORLIN_API ... QUORLIN_CALL Name(`,
#    a prototype possibly running over several lines) has its page MANDIR/Name.3, whose
#    NAME and .Dt name it, whose SYNOPSIS declares the header's prototype (types, argument
#    names and QUORLIN_CALL; blanks aside), and which quorlin.3 lists with .Xr Name 3.
# 3. No section-3 page other than quorlin.3 is left for a name the header no longer exports.
#
# MANDIR defaults to this script's folder, HEADER to MANDIR/../../include/quorlin.h. The
# mandoc program is $MANDOC, or mandoc from PATH. Without mandoc the check fails: it is
# never skipped. Exit status 0 when every check passed, 1 otherwise.
set -u

here=$(cd "$(dirname "$0")" && pwd)
mandir=${1:-$here}
header=${2:-$mandir/../../include/quorlin.h}
mandoc=${MANDOC:-mandoc}

if ! command -v "$mandoc" >/dev/null 2>&1; then
  echo "man.lint: FAILED: mandoc not found (looked for '$mandoc'): the manual pages cannot" \
    "be linted. Install it (Debian: apt-get install mandoc) or set MANDOC to its path." >&2
  exit 1
fi
if [ ! -r "$header" ]; then
  echo "man.lint: FAILED: cannot read the header $header" >&2
  exit 1
fi

failed=0
fail() {
  echo "man.lint: $*" >&2
  failed=1
}

# Blanks folded to one and dropped around punctuation, so that "const char* a" and
# "const char *a" compare equal.
normalise() {
  sed -e 's/[[:space:]][[:space:]]*/ /g' -e 's/ *\([*(),;]\) */\1/g' -e 's/^ //' -e 's/ $//'
}

# 1. Lint.
pages=0
for page in "$mandir"/*.1 "$mandir"/*.3; do
  [ -e "$page" ] || continue
  pages=$((pages + 1))
  output=$("$mandoc" -T lint -W warning "$page" 2>&1)
  status=$?
  if [ "$status" -ne 0 ] || [ -n "$output" ]; then
    fail "$page: mandoc -T lint -W warning exited with $status and said:"
    printf '%s\n' "$output" >&2
  fi
done
if [ "$pages" -eq 0 ]; then
  fail "no manual pages in $mandir"
fi

# 2. One page per export, with the header's prototype.
prototypes=$(awk '
  /^QUORLIN_API[ \t]/ { text = ""; collecting = 1 }
  collecting {
    text = text " " $0
    if (index($0, ";") > 0) { print text; collecting = 0 }
  }
' "$header" | sed 's/QUORLIN_API//' | normalise)
if [ -z "$prototypes" ]; then
  fail "no 'QUORLIN_API ... QUORLIN_CALL Name(' prototypes found in $header"
fi

exports=""
count=0
overview="$mandir/quorlin.3"
while IFS= read -r prototype; do
  [ -n "$prototype" ] || continue
  name=$(printf '%s\n' "$prototype" |
    sed -n 's/.*QUORLIN_CALL \([A-Za-z_][A-Za-z0-9_]*\)(.*/\1/p')
  if [ -z "$name" ]; then
    fail "cannot read the export name of: $prototype"
    continue
  fi
  exports="$exports $name"
  count=$((count + 1))
  page="$mandir/$name.3"
  if [ ! -f "$page" ]; then
    fail "the export $name (include/quorlin.h) has no page $page"
    continue
  fi
  title=$(printf '%s\n' "$name" | tr '[:lower:]' '[:upper:]')
  if ! grep -q "^\.Dt $title 3\$" "$page"; then
    fail "$page: expected the line '.Dt $title 3'"
  fi
  if ! grep -q "^\.Nm $name\( ,\)\{0,1\}\$" "$page"; then
    fail "$page: expected '.Nm $name' in NAME"
  fi
  # The prototype: the .Ft before `.Fn Name ...` in SYNOPSIS; arguments quoted one by one.
  documented=$(awk -v name="$name" '
    /^\.Sh / { synopsis = ($2 == "SYNOPSIS") }
    synopsis && /^\.Ft / { type = substr($0, 5) }
    synopsis && $1 == ".Fn" && $2 == name {
      arguments = $0
      sub(/^\.Fn[ \t]+[^ \t]+[ \t]*/, "", arguments)
      gsub(/"[ \t]+"/, ",", arguments)
      gsub(/"/, "", arguments)
      print type " " name "(" arguments ");"
      exit
    }
  ' "$page" | normalise)
  if [ -z "$documented" ]; then
    fail "$page: SYNOPSIS has no '.Ft' and '.Fn $name' lines"
  elif [ "$documented" != "$prototype" ]; then
    fail "$page: SYNOPSIS declares '$documented' but include/quorlin.h '$prototype'"
  fi
  if [ -f "$overview" ] &&
    ! grep -Eq "(^\.|[[:space:]])Xr[[:space:]]+$name[[:space:]]+3([[:space:]]|\$)" "$overview"; then
    fail "$overview does not list $name (.Xr $name 3)"
  fi
done <<EOF
$prototypes
EOF
if [ ! -f "$overview" ]; then
  fail "the overview page $overview is missing"
fi

# 3. No page for an export that is gone.
for page in "$mandir"/*.3; do
  [ -e "$page" ] || continue
  name=$(basename "$page" .3)
  [ "$name" = quorlin ] && continue
  case " $exports " in
    *" $name "*) ;;
    *) fail "$page documents $name, which include/quorlin.h does not export" ;;
  esac
done

if [ "$failed" -ne 0 ]; then
  echo "man.lint: FAILED ($pages pages, $count exports in $header)" >&2
  exit 1
fi
echo "man.lint: $pages pages lint clean; all $count exports of $header have their page"
exit 0
