#!/usr/bin/env bash
# Sets up what is missing, builds everything and starts QENWiz.exe under Wine.
# Uses the project's own Wine prefix (seeded for a demonstration), unless WINEPREFIX names one of the user's.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QENWIZ_BUILD_DIR:-$top/build}
export QENWIZ_BUILD_DIR=$build

bash "$top/tools/setup.sh"
bash "$top/tools/build.sh"

# The project's own prefix is seeded once with a demonstration Visual Studio 98 registration and a QEN
# library folder, so that the program finds both targets; a prefix of the user's is left as it is.
if [ -n "${WINEPREFIX:-}" ]; then
  prefix=$WINEPREFIX
else
  prefix=$build/wineprefix-app
  bash "$top/tools/seed-demo-prefix.sh" "$prefix" "$build/tools/demo/VEVER58.dll"
fi
exec "$top/tools/winerun" --timeout 0 --prefix "$prefix" "$build/app/QENWiz.exe" "$@"
