#!/usr/bin/env bash
# Makes the template Wine prefix and the unit-test prefix copied from it.
# usage: wine-make-prefix.sh TEMPLATE UNIT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
template=$1 unit=$2

for p in "$template" "$unit"; do
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

cp -a "$template" "$unit"
echo "Wine prefixes ready: $template, $unit"
