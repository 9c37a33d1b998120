#!/usr/bin/env bash
# Silent installation against the same work done directly: `setup.exe /S` on
# the example medium and direct_install.exe (the same copies, INF, driver,
# printer, status monitor installer, shortcuts and registry values, with no
# configuration read), in turns under one warm wineserver, each timed from
# process start to exit and followed by an untimed `direct_install --remove`;
# one warm-up each, then 5 runs each; medians and the ratio setup / direct.
# usage: scripts/bench-silent.sh [BUILD_DIR]   (build the win64 preset first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64}
. "$here/bench-lib.sh"
bench_prefix "$build"
direct=$build/bench/direct_install.exe
runs=5

# The staged medium without the build's own files.
cp -r "$build/medium" "$work/medium"
rm -rf "$work/medium/CMakeFiles" "$work/medium"/*.cmake
medium="Z:$(echo "$work/medium" | tr / '\\')"
temp=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp | head -n 1)

timed() {  # program [args] -> milliseconds from start to exit; fails on a non-zero exit code
  local start end rc=0
  start=$(date +%s%N)
  wine "$@" >"$work/out" 2>&1 || rc=$?
  end=$(date +%s%N)
  if [ $rc -ne 0 ]; then echo "$* ended with $rc:" >&2; cat "$work/out" >&2; exit 1; fi
  echo $(( (end - start) / 1000000 ))
}
remove() {
  wine "$direct" --remove
  rm -f "$temp"/*.log
}

: >"$work/setup.ms" ; : >"$work/direct.ms"
for i in $(seq 0 $runs); do
  s=$(timed "$work/medium/setup.exe" /S); remove
  d=$(timed "$direct" "$medium"); remove
  if [ "$i" -eq 0 ]; then echo "warm-up: setup $s ms, direct $d ms"; continue; fi
  echo "run $i: setup $s ms, direct $d ms ($(cat "$work/out"))"
  echo "$s" >>"$work/setup.ms"; echo "$d" >>"$work/direct.ms"
done

setup_ms=$(median <"$work/setup.ms")
direct_ms=$(median <"$work/direct.ms")
echo "median of $runs runs:"
echo "  setup.exe /S:        ${setup_ms} ms"
echo "  direct_install.exe:  ${direct_ms} ms"
echo "  ratio setup / direct: $(awk "BEGIN {printf \"%.2f\", $setup_ms / $direct_ms}")"
