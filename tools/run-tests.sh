#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QENWIZ_BUILD_DIR:-$top/build}
export QENWIZ_BUILD_DIR=$build

# A test that fails is run once more before the run counts it as failed: Wine itself has been seen to
# crash while a passed test's process was exiting. A real fault fails both times.
# One Wine session for the whole run. Its background processes are started here with their output
# going nowhere: started by a test, they would hold that test's output open until the run ends.
run_suite() {
  local prefix=$build/wineprefix rc=0
  "$top/tools/winerun" --prefix "$prefix" cmd /c exit </dev/null >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 || true
  "$top/tools/winerun" --prefix "$prefix" cmd /c exit </dev/null >/dev/null 2>&1 || true
  (cd "$build" && ctest --output-on-failure --no-tests=error --repeat until-pass:2 -j "$(nproc)") || rc=$?
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  return $rc
}

if [ "${1:-}" = "--suite-only" ]; then
  run_suite
  exit
fi

bash "$top/tools/setup.sh"
bash "$top/tools/build.sh"

if [ -n "${DISPLAY:-}" ]; then
  run_suite
else
  # One X server for the whole run, so every Wine process shares one session.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --suite-only
fi
