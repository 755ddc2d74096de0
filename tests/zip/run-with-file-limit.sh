#!/usr/bin/env bash
# Runs a Windows program under Wine with a limit on the size of the files its process writes, so
# that writes past it fail as on a full disk:
#   run-with-file-limit.sh KILOBYTES WINERUN WINEPREFIX PROGRAM [ARGS...]
# The prefix is made first without the limit.
set -uo pipefail
[ $# -ge 4 ] || { echo "usage: $0 KILOBYTES WINERUN WINEPREFIX PROGRAM [ARGS...]" >&2; exit 2; }
limit=$1 winerun=$2 prefix=$3
shift 3
"$winerun" --prefix "$prefix" cmd /c exit >/dev/null 2>&1 </dev/null
# A write past the limit then fails instead of ending the process.
trap '' XFSZ
ulimit -f "$limit"
exec "$winerun" --prefix "$prefix" "$@"
