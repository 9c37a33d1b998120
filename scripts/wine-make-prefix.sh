#!/usr/bin/env bash
# Makes a Wine prefix (the template of the tests) and, when asked, a copy of
# it (the unit-test prefix).
# usage: wine-make-prefix.sh PREFIX [COPY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
template=$1 unit=${2:-}

for p in "$template" $unit; do
  if [ -d "$p" ]; then WINEPREFIX="$p" wineserver -k 2>/dev/null || true; rm -rf "$p"; fi
done
mkdir -p "$(dirname "$template")"

export WINEPREFIX="$template"
wineboot -i >/dev/null 2>&1
wineserver -w

# The user's Desktop, Documents and friends are links into the Linux home: make
# them real folders, so that nothing a test creates leaves the prefix.
for link in "$template"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
done

if [ -n "$unit" ]; then cp -a "$template" "$unit"; fi
echo "Wine prefix ready: $template${unit:+ (and its copy $unit)}"
