#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, within a time limit.
# usage: wine-run.sh PREFIX SECONDS PROGRAM [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
export WINEPREFIX=$1
limit=$2
shift 2
timeout --kill-after=5 "$limit" wine "$@"
rc=$?
[ $rc -eq 124 ] && echo "wine-run: time limit of ${limit}s reached: $*" >&2
exit $rc
