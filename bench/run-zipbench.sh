#!/usr/bin/env bash
# Runs zipbench.exe under Wine (library against bare zlib, inside one process), then times the whole
# qenunzip.exe process under Wine against native Info-ZIP unzip on the archive zipbench built, and
# prints both ratios last. Every Wine process is timed from a stopped Wine session, as a script
# meets it (the session ends a fraction of a second after its last program), and the start-up share
# is timed apart with "qenunzip -h". Builds nothing: build the tree first (tools/build.sh).
#   bench/run-zipbench.sh [BUILD_FOLDER] [RUNS]
# The archive and the extracted files go to a new folder in $TMPDIR (default /tmp).
# ZIPBENCH_WINESERVER=persistent keeps one Wine server running through all timed runs instead
# (wineserver -p), so the Wine runs do not pay for starting the server; the baseline stays the same.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-${QENWIZ_BUILD_DIR:-$top/build}}" && pwd)
runs=${2:-5}
prefix=$build/wineprefix

for program in "$build/bench/zipbench.exe" "$build/tools/qenunzip.exe"; do
  [ -f "$program" ] || { echo "run-zipbench: $program is missing; build first" >&2; exit 2; }
done
command -v unzip >/dev/null || { echo "run-zipbench: Info-ZIP unzip is missing" >&2; exit 2; }

# One X server for the whole run, so no timed run pays for starting one.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
       bash -c '"$0" "$@"; rc=$?; WINEPREFIX="$1/wineprefix" wineserver -w; exit $rc' "$0" "$build" "$runs"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zipbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
winwork="Z:$(printf '%s' "$work" | tr / '\\')"

"$top/tools/winerun" --prefix "$prefix" --timeout 0 "$build/bench/zipbench.exe" "$winwork" "$runs" \
  | tr -d '\r' | tee "$work/zipbench.txt"
extract_line=$(grep '^extract/zlib throughput ratio:' "$work/zipbench.txt")

now_ns() { date +%s%N; }

# Prints the wall time of one run of the command, in nanoseconds. Both programs' output goes to a
# file, as a script would take it (a character device such as /dev/null makes the C runtime under
# Wine write line by line).
time_run() {
  local start
  start=$(now_ns)
  "$@" >"$work/output.txt" 2>&1 || { echo "run-zipbench: failed: $*" >&2; return 1; }
  echo $(($(now_ns) - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Waits until the Wine session of the prefix has ended, so each timed Wine run starts it alike.
persistent=${ZIPBENCH_WINESERVER:-}
if [ "$persistent" = persistent ]; then
  WINEPREFIX=$prefix wineserver -w
  WINEPREFIX=$prefix wineserver -p
  trap 'WINEPREFIX=$prefix wineserver -k; rm -rf "$work"' EXIT
  stop_wine() { :; }
else
  stop_wine() { WINEPREFIX=$prefix wineserver -w; }
fi

# Removes a folder and writes back what the file system still holds for it and for the run
# before, so that no timed run waits for the disk on behalf of another.
remove_output() { rm -rf "$1"; sync; }

# qenunzip on its default number of threads, or with the arguments given (-j 1).
run_qenunzip() {
  remove_output "$work/out-qenunzip"
  stop_wine
  time_run "$top/tools/winerun" --prefix "$prefix" "$build/tools/qenunzip.exe" \
           "$winwork\\bench.zip" -d "$winwork\\out-qenunzip" "$@"
}

run_startup() {
  stop_wine
  time_run "$top/tools/winerun" --prefix "$prefix" "$build/tools/qenunzip.exe" -h
}

run_unzip() {
  remove_output "$work/out-unzip"
  time_run unzip -o "$work/bench.zip" -d "$work/out-unzip"
}

# The first pair warms the file cache and the Wine server and is not counted.
run_qenunzip >/dev/null
run_unzip >/dev/null
: >"$work/qenunzip.times"
: >"$work/unzip.times"
: >"$work/startup.times"
: >"$work/qenunzip1.times"
for _ in $(seq "$runs"); do
  run_qenunzip -j 1 >>"$work/qenunzip1.times"
  run_qenunzip >>"$work/qenunzip.times"
  run_unzip >>"$work/unzip.times"
  run_startup >>"$work/startup.times"
done
diff -r "$work/out-qenunzip" "$work/out-unzip" >/dev/null \
  || { echo "run-zipbench: qenunzip and unzip extracted different files" >&2; exit 1; }

qenunzip_ns=$(median <"$work/qenunzip.times")
unzip_ns=$(median <"$work/unzip.times")
startup_ns=$(median <"$work/startup.times")
qenunzip1_ns=$(median <"$work/qenunzip1.times")
server=$([ "$persistent" = persistent ] && echo "persistent Wine server" || echo "Wine server started by each run")
awk -v q="$qenunzip_ns" -v q1="$qenunzip1_ns" -v u="$unzip_ns" -v s="$startup_ns" -v n="$runs" -v server="$server" 'BEGIN {
  printf "(c) whole process (%s), median of %d: qenunzip under Wine %.3f s (-j 1: %.3f s, ratio %.2f), Info-ZIP unzip natively %.3f s\n", server, n, q / 1e9, q1 / 1e9, q1 / u, u / 1e9
  printf "    of which Wine and process start-up (qenunzip -h): %.3f s; ratio without it: %.2f\n", s / 1e9, (q - s) / u }'
echo "$extract_line"
awk -v q="$qenunzip_ns" -v u="$unzip_ns" 'BEGIN { printf "qenunzip/unzip time ratio: %.2f\n", q / u }'
