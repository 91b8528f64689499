#!/usr/bin/env bash
# Formats the tree's own C++ sources with clang-format and the root .clang-format.
#   format.sh [FILE...]           rewrites the files (default: every source of the tree)
#   format.sh --check [FILE...]   lists the files that would change; exits 1 when any would
# Installs clang-format when it is missing, as build.sh installs the toolchain.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

check=false
if [ "${1:-}" = --check ]; then
  check=true
  shift
fi

# Files clang-format 14 cannot lay out: macros that expand to table entries and
# member definitions. They keep their hand-made layout.
keep=(framework/include/afxmsg.h framework/include/afxobject.h)

command -v clang-format >/dev/null || bash "$here/tools/apt-install.sh" clang-format
# The layout was tuned with version 14 (Debian 12); others differ in details.
format=clang-format
command -v clang-format-14 >/dev/null && format=clang-format-14

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
  else
    mapfile -t files < <(find framework services control resources demo tests -name '*.cpp' -o -name '*.h' | sort)
  fi
fi

differ=0
for file in "${files[@]}"; do
  [[ " ${keep[*]} " == *" $file "* ]] && continue
  if $check; then
    if ! "$format" --style=file "$file" | cmp -s - "$file"; then
      echo "$file"
      differ=$((differ + 1))
    fi
  else
    "$format" --style=file -i "$file"
  fi
done
if $check && [ $differ -gt 0 ]; then
  echo "$differ file(s) differ from .clang-format; run tools/format.sh" >&2
  exit 1
fi
