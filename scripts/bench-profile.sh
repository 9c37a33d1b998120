#!/usr/bin/env bash
# Profile reading benchmark under Wine (build the win64 preset first).
# usage: scripts/bench-profile.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64}
. "$here/wine-env.sh"
export WINEPREFIX=$build/wine/unit
bench=$build/bench/profile_bench.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="Z:${work//\//\\}"
echo "== (a), (b): CConfigReader against GetPrivateProfileStringW, 2 MB"
wine "$bench" compare "$folder" 2
echo "== (c): load time and peak memory by size (one process each)"
for mb in 0.2 2 20; do
  wine "$bench" make "$folder\\scale.vxi" "$mb"
  wine "$bench" load "$folder\\scale.vxi"
done
