#!/usr/bin/env bash
# snaplet -screen on a 1920 x 1080 and on a 3840 x 2160 virtual screen (Xvfb)
# under Wine, printing through Wine's PostScript driver to a file: the time from
# the process start to the print file being complete (it ends with "%%EOF"),
# and the process's peak memory (maximum resident set, Wine's own share
# included), median of 5 runs each, for a flat test pattern and for a screen
# of random pixels; a program that does nothing gives the baseline.
# usage: scripts/bench-snaplet.sh [BUILD_DIR]
#   (build first: cmake --build BUILD_DIR --target snaplet snap_pattern snaplet_bench_printer noop wine_prefix)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runs=5

if [ "${1:-}" != "--inner" ]; then
  build=$(cd "${1:-$here/../build/win64}" && pwd)
  command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (package time)" >&2; exit 1; }
  echo "snaplet -screen, median of $runs runs; peak = maximum resident set of the process"
  for size in 1920x1080 3840x2160; do
    QS_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${size}x24" "$0" --inner "$build" "$size"
  done
  exit 0
fi

# Inside the virtual display: one fresh prefix per screen size.
build=$2 size=$3
. "$here/bench-lib.sh"
pattern_pid=
bench_extra_cleanup() { [ -z "$pattern_pid" ] || kill "$pattern_pid" 2>/dev/null; }
bench_prefix "$build"
out=$work/print.ps
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
wine "$build/bench/snaplet_bench_printer.exe" "Snaplet Bench" "$(winpath "$here/../snaplet/tests/fixtures/snaplet-test.ppd")" "$(winpath "$out")"
snaplet=$build/snaplet/snaplet.exe

# One run: "milliseconds-to-complete-file peak-KB".
run_once() {
  rm -f "$out"
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/peak" wine "$@" >/dev/null 2>&1 || true
  if [ "$1" = "$snaplet" ]; then
    for _ in $(seq 1 2000); do tail -c 16 "$out" 2>/dev/null | grep -q '%%EOF' && break; sleep 0.01; done
  fi
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000000 )) $(tail -n 1 "$work/peak")"
}
measure() {  # label program [args]
  local label=$1; shift
  run_once "$@" >/dev/null   # warm
  : >"$work/ms"; : >"$work/kb"
  for _ in $(seq 1 $runs); do
    read -r ms kb < <(run_once "$@")
    echo "$ms" >>"$work/ms"; echo "$kb" >>"$work/kb"
  done
  local size_mb="-"
  [ -f "$out" ] && size_mb=$(awk "BEGIN {printf \"%.1f MB\", $(stat -c %s "$out") / 1048576}")
  printf '%-10s %-34s %6s ms  peak %4s MB  print file %s\n' "$size" "$label" "$(median <"$work/ms")" \
    "$(( $(median <"$work/kb") / 1024 ))" "$size_mb"
}

measure "do-nothing program" "$build/bench/noop.exe"
width=${size%x*} height=${size#*x}
for content in pattern noise; do
  extra=; [ "$content" = noise ] && extra=noise
  wine "$build/snaplet/tests/snap_pattern.exe" 0 0 "$width" "$height" $extra >/dev/null 2>&1 &
  pattern_pid=$!
  sleep 3
  measure "snaplet -screen ($content)" "$snaplet" -screen
  kill "$pattern_pid" 2>/dev/null; wait "$pattern_pid" 2>/dev/null || true; pattern_pid=
done
