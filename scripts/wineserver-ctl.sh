#!/usr/bin/env bash
# Starts or stops the persistent wineserver of the unit-test prefix.
# usage: wineserver-ctl.sh start|stop PREFIX WORKDIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
export WINEPREFIX=$2
work=$3
case $1 in
  start)
    # Prefix copies left by an interrupted run.
    if [ -d "$work" ]; then
      for p in "$work"/pfx.*; do [ -d "$p" ] && { WINEPREFIX="$p" wineserver -k 2>/dev/null; rm -rf "$p"; }; done
    fi
    mkdir -p "$work"
    wineserver -p </dev/null >/dev/null 2>&1
    # First start in a prefix is the slow one: do it here, not in a test.
    wine cmd /c exit 0 >/dev/null 2>&1
    echo "wineserver running for $WINEPREFIX" ;;
  stop)
    wineserver -k 2>/dev/null
    echo "wineserver stopped for $WINEPREFIX" ;;
  *) echo "usage: $0 start|stop PREFIX WORKDIR" >&2; exit 2 ;;
esac
exit 0
