#!/usr/bin/env bash
# Installs the example medium silently, removes it again, restarts the prefix
# (wineboot -r applies what waits for the restart) and shows every difference
# between before and after: the file list of drive C: (less the temporary
# folder, where the logs are) and the registry exports of HKLM\Software and
# of the spooler's printers. No output after "Differences:" means none.
# usage: scripts/check-removal.sh [build dir]      (default build/win64)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
. "$root/scripts/wine-env.sh"
export WINEPREFIX=$build/wine/check-removal
work=$build/check-removal
rm -rf "$WINEPREFIX" "$work" && mkdir -p "$work"
cp -a "$build/wine/template" "$WINEPREFIX" || exit 1
wineserver -p
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . | grep -v '^\./users/[^/]*/Temp/' | sort) > "$work/$1.files"
  for key in 'HKLM\Software' 'HKLM\System\CurrentControlSet\Control\Print\Printers'; do
    name=$(echo "$key" | tr '\\ ' '__')
    wine reg export "$key" "Z:$work/$1.$name.reg" /y >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$work/$1.$name.reg" | tr -d '\r' > "$work/$1.$name.txt"
  done
}
snapshot before
wine "$build/medium/setup.exe" /S; echo "setup.exe /S: exit code $?"
wine "$build/medium/setup.exe" /U /S; echo "setup.exe /U /S: exit code $?"
# The uninstaller waits for setup to end, then removes the install directory.
for _ in $(seq 120); do pgrep -f 'VXDelAll|UnInstEE' >/dev/null || break; sleep 0.5; done
wine wineboot -r
snapshot after
wineserver -k
echo "Differences:"
diff "$work/before.files" "$work/after.files"
for f in "$work"/before.*.txt; do diff "$f" "${f/before./after.}"; done
rm -rf "$WINEPREFIX"
