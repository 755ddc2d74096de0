#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QENWIZ_BUILD_DIR:-$top/build}
export QENWIZ_BUILD_DIR=$build

bash "$top/tools/setup.sh"
bash "$top/tools/build.sh"

cd "$build"
ctest_cmd=(ctest --output-on-failure --no-tests=error -j "$(nproc)")
if [ -n "${DISPLAY:-}" ]; then
  "${ctest_cmd[@]}"
else
  # One X server for the whole run, so every Wine process shares one session.
  xvfb-run -a -s "-screen 0 1280x1024x24" "${ctest_cmd[@]}"
fi
