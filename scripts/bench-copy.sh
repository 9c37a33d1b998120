#!/usr/bin/env bash
# Copy engine against a minimal Win32 copier (FindFirstFileW, CreateDirectoryW,
# CopyFileW) under the same warm wineserver: one tree of about 300 MB in 3,000
# files, copied by each in turn, 5 times each, the destination deleted between
# runs; medians and the ratio engine / win32, and `cp -r` of the same tree on
# the Linux side as context only.
# usage: scripts/bench-copy.sh [BUILD_DIR]   (build the copy_bench target first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64}
. "$here/bench-lib.sh"
bench_prefix "$build"
bench=$build/bench/copy_bench.exe
drive=$WINEPREFIX/drive_c
runs=5

field() { awk -v label="$1" '$1 == label {print $2}'; }  # seconds of one labelled line
fresh() { rm -rf "$drive/dst" "$drive/dst.plain" "$work/cp"; sync; }

wine "$bench" make 'C:\src'
: >"$work/engine" ; : >"$work/plain" ; : >"$work/win32" ; : >"$work/cp.ms"
for i in $(seq 1 $runs); do
  fresh
  out=$(wine "$bench" engine 'C:\src' 'C:\dst')
  echo "run $i: $(echo "$out" | tr '\n' ' ')"
  echo "$out" | field engine-recorded >>"$work/engine"
  echo "$out" | field engine-unrecorded >>"$work/plain"
  fresh
  out=$(wine "$bench" win32 'C:\src' 'C:\dst')
  echo "run $i: $out"
  echo "$out" | field win32 >>"$work/win32"
done
for i in $(seq 1 $runs); do
  fresh
  start=$(date +%s%N); cp -r "$drive/src" "$work/cp"; end=$(date +%s%N)
  echo $(( (end - start) / 1000000 )) >>"$work/cp.ms"
done
fresh

engine=$(median <"$work/engine")
plain=$(median <"$work/plain")
win32=$(median <"$work/win32")
cp_s=$(awk '{print $1 / 1000}' "$work/cp.ms" | median)
echo "median of $runs runs:"
echo "  engine, recorded:    ${engine} s"
echo "  engine, unrecorded:  ${plain} s"
echo "  win32 copier:        ${win32} s"
echo "  ratio engine / win32: recorded $(awk "BEGIN {printf \"%.2f\", $engine / $win32}")," \
     "unrecorded $(awk "BEGIN {printf \"%.2f\", $plain / $win32}")"
echo "  cp -r (context):     ${cp_s} s"
