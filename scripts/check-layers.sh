#!/usr/bin/env bash
# Fails when a file of the library includes a header of a layer above its own: each layer
# uses only those below it. Prints file:line and both layers for every such include and
# exits 1; exits 0 when there is none, 2 when ROOT is not a source tree.
#
#   scripts/check-layers.sh [ROOT]      (ROOT: the repository, by default this one)
#
# Reads the quoted includes of every .h, .cpp and .c file in the layer folders. Headers of
# the same layer or below, the public contract (include/quorlin.h) and the printer
# library's public header (mirvale.h) are fine; <system> headers are not looked at.
set -euo pipefail

root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
root=${root%/}

# The layers from the top down, as in the table "Layers (each uses only those below it)"
# of DESIGN.md. Keep the two in step.
layers=(viewer records schema connections frame profiles resources platform)
# Project folders that are no layer of the library: its users (tests, the sample host,
# benchmarks) and the printer library, of which only the public header may be seen.
outside=(tests tools bench mirvale)

declare -A height
for index in "${!layers[@]}"; do
  height[${layers[index]}]=$((${#layers[@]} - index))
done
for folder in "${outside[@]}"; do height[$folder]=outside; done

for layer in "${layers[@]}"; do
  if [ ! -d "$root/$layer" ]; then
    echo "check-layers.sh: $root has no $layer/ folder; is it the repository?" >&2
    exit 2
  fi
done

# Sets header to PATH with its "." and ".." segments taken out (no subshell: this runs
# once per include).
normalise() {
  local -a parts=() kept=()
  local part
  IFS=/ read -r -a parts <<<"$1"
  for part in "${parts[@]}"; do
    case $part in
      "" | .) ;;
      ..) [ ${#kept[@]} -eq 0 ] || unset 'kept[${#kept[@]}-1]' ;;
      *) kept+=("$part") ;;
    esac
  done
  local IFS=/
  header="${kept[*]}"
}

# Sets header to what a quoted include names, relative to the root, found the way the
# compiler finds it: beside the including file first, then from the root (the library's
# include path); a header found nowhere is taken at its written path.
resolve() {
  local including_dir=$1 name=$2
  if [ -e "$root/$including_dir/$name" ]; then
    normalise "$including_dir/$name"
  else
    normalise "$name"
  fi
}

# grep finding no include at all is fine (status 1); failing to read is not.
status=0
includes=$(cd "$root" && grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${layers[@]}") || status=$?
if [ "$status" -gt 1 ]; then
  echo "check-layers.sh: could not read the sources under $root" >&2
  exit 2
fi

violations=0
while IFS=: read -r file line text; do
  [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
  name=${BASH_REMATCH[1]}
  case ${name##*/} in quorlin.h | mirvale.h) continue ;; esac
  own=${file%%/*}
  resolve "${file%/*}" "$name"
  target=${header%%/*}
  [ "$header" != "$target" ] || continue # a bare name found nowhere: no project header
  [ -n "${height[$target]:-}" ] || continue
  if [ "${height[$target]}" = outside ]; then
    echo "$file:$line: layer $own includes $header, from $target/, which is no layer below it"
    violations=$((violations + 1))
  elif [ "${height[$target]}" -gt "${height[$own]}" ]; then
    echo "$file:$line: layer $own includes $header, from the higher layer $target"
    violations=$((violations + 1))
  fi
done < <(sort -t: -k1,1 -k2,2n <<<"$includes")

if [ "$violations" -gt 0 ]; then
  echo "check-layers.sh: $violations include(s) point up the layer order" >&2
  exit 1
fi
echo "check-layers.sh: every include points down the layer order or stays in its layer"
