#!/usr/bin/env bash
# The main job: builds setup.exe, stages the example medium and runs setup.exe
# on it under Wine (without arguments: a silent installation, /S), then shows
# where its log is and what it says, and what the machine now has installed:
# printers, ports, the default printer and the entries in the list of
# installed programs.
# usage: scripts/run-example.sh [setup.exe arguments...]   (e.g. /U /S removes)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh || exit 1
cmake --preset win64 >/dev/null || exit 1
cmake --build build/win64 --target stage_medium || exit 1

. scripts/wine-env.sh
export WINEPREFIX=$root/build/win64/wine/run
if [ ! -d "$WINEPREFIX" ]; then
  echo "Making a Wine prefix for the run in $WINEPREFIX (once)"
  scripts/wine-make-prefix.sh "$WINEPREFIX" || exit 1
fi
medium=$root/build/win64/medium
[ $# -eq 0 ] && set -- /S
echo "Running: setup.exe $* (from $medium)"
wine "$medium/setup.exe" "$@"
rc=$?
wineserver -w
temp=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp | head -n 1)
log=$(ls -t "$temp"/setup.exe*.log 2>/dev/null | head -n 1)
echo "setup.exe exit code: $rc"
if [ -z "$log" ]; then echo "no log file found in $temp"; exit 1; fi
echo "Log: $log"
echo "     (C:\\users\\$(basename "$(dirname "$temp")")\\Temp\\$(basename "$log") inside the prefix)"
echo "----"
# The banner is UTF-16 LE; the lines after it are in the ANSI code page.
perl -0777 -ne '
  my $end = index($_, "\r\0\n\0\r\0\n\0\r\0\n\0", index($_, "D\0a\0t\0a\0"));
  my $banner = substr($_, 0, $end + 12);
  $banner =~ s/(.)\0/$1/gs;
  print $banner, substr($_, $end + 12);
' "$log" | tr -d '\r'

# What is installed now, as the registry of the prefix says.
query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
printers='HKLM\System\CurrentControlSet\Control\Print\Printers'
echo "----"
echo "Printers (name: driver, port):"
query "$printers" | sed -n 's/^HKEY_LOCAL_MACHINE.*\\Printers\\//p' | while read -r name; do
  driver=$(query "$printers\\$name" /v "Printer Driver" | sed -n 's/.*REG_SZ[[:space:]]*//p')
  port=$(query "$printers\\$name" /v Port | sed -n 's/.*REG_SZ[[:space:]]*//p')
  echo "  $name: $driver, $port"
done
echo "Ports:"
query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports' | sed -n 's/^[[:space:]]*\([^[:space:]]*\)[[:space:]].*REG_SZ.*/  \1/p'
echo "Default printer:"
query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v Device | sed -n 's/.*REG_SZ[[:space:]]*/  /p'
echo "Installed programs (uninstall entries):"
query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /v DisplayName | sed -n 's/.*DisplayName[[:space:]]*REG_SZ[[:space:]]*/  /p'
exit $rc
