#!/usr/bin/env bash
# Makes a fresh Wine prefix, seeds it like a machine with Visual Studio 98 and the QEN library, and lets
# the driver install with QENWiz.exe there.
#   run-install.sh DRIVER PROGRAM VEVER58.DLL PREFIX FILE...
# FILE is "vs:RELATIVE/PATH=SOURCE" or "lib:RELATIVE/PATH=SOURCE" with Linux paths.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
driver=$1 program=$2 library=$3 prefix=$4
shift 4

rm -rf "$prefix" "$prefix.lock"
bash "$top/tools/seed-demo-prefix.sh" "$prefix" "$library"

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
files=()
for file in "$@"; do
  files+=("$(printf %s "${file%%=*}" | tr / '\\')=$(windows_path "${file#*=}")")
done

rc=0
"$top/tools/winerun" --prefix "$prefix" "$driver" "$(windows_path "$program")" \
    'C:\Program Files\Microsoft Visual Studio\' 'C:\QEN\ControlBar\' "${files[@]}" </dev/null || rc=$?
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
exit $rc
