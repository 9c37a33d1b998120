#!/usr/bin/env bash
# Start-up cost of setup.exe under Wine: a plain start on the example medium
# (ending where the wizard would be created) against a program that does
# nothing, both under the same warm wineserver, median of 5 runs each; then
# the same with the configuration file grown to 20,000 lines.
# usage: scripts/bench-startup.sh [BUILD_DIR]   (build the win64 preset first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64}
. "$here/bench-lib.sh"
bench_prefix "$build"
wine "$build/bench/noop.exe"   # warm

time_runs() {  # program [args] -> median milliseconds of 5 runs
  for i in 1 2 3 4 5; do
    start=$(date +%s%N); wine "$@" >/dev/null 2>&1 || true; end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
  done | median
}

cp -r "$build/medium" "$work/plain"
cp -r "$build/medium" "$work/grown"
{
  for s in $(seq 1 2000); do
    printf '[GROWN_SECTION_%d]\r\n' "$s"
    for k in $(seq 1 9); do printf 'KEY_%d = value %d of @PROGRAM_TITLE@ in $SRC_DIR$\\data\r\n' "$k" "$s"; done
  done
} | iconv -f UTF-8 -t UTF-16LE >> "$work/grown/data/vxinst.vxi"
lines=$(iconv -f UTF-16LE -t UTF-8 "$work/grown/data/vxinst.vxi" | wc -l)

noop=$(time_runs "$build/bench/noop.exe")
plain=$(time_runs "$work/plain/setup.exe")
grown=$(time_runs "$work/grown/setup.exe")
echo "do-nothing program:                 ${noop} ms (median of 5)"
echo "setup.exe, example medium:          ${plain} ms  ratio $(awk "BEGIN {printf \"%.2f\", $plain / $noop}")"
echo "setup.exe, configuration ${lines} lines: ${grown} ms  ratio $(awk "BEGIN {printf \"%.2f\", $grown / $noop}")"
