#!/usr/bin/env bash
# Sets up what is missing, builds everything and starts QENWiz.exe under Wine.
# Uses the project's own Wine prefix, unless WINEPREFIX names one of the user's.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QENWIZ_BUILD_DIR:-$top/build}
export QENWIZ_BUILD_DIR=$build

bash "$top/tools/setup.sh"
bash "$top/tools/build.sh"

prefix=${WINEPREFIX:-$build/wineprefix-app}
exec "$top/tools/winerun" --timeout 0 --prefix "$prefix" "$build/app/QENWiz.exe" "$@"
