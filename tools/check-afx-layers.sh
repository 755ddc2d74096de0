#!/usr/bin/env bash
# The framework core (core/, file/, coll/) must not include the windowing layer or anything above it.
# Every quoted include there has to name a header of those three folders or one of the core umbrellas.
set -euo pipefail
afx=${1:-$(cd "$(dirname "$0")/../afx" && pwd)}
core_folders=(core file coll)
allowed=" afx.h afxcoll.h afxtempl.h "
for folder in "${core_folders[@]}"; do
  for header in "$afx/$folder"/*.h; do allowed+="$(basename "$header") "; done
done
status=0
for folder in "${core_folders[@]}"; do
  while IFS=: read -r file line include; do
    name=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$include")
    if [[ $name == */* || $allowed != *" $name "* ]]; then
      echo "$file:$line: the core includes \"$name\" from outside core/, file/ and coll/"
      status=1
    fi
  done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$afx/$folder"/*.h "$afx/$folder"/*.cpp || true)
done
exit $status
