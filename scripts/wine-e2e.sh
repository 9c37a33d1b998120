#!/usr/bin/env bash
# Runs one end-to-end test program in a fresh copy of the template prefix with
# a wineserver of its own; the copy is deleted when the test ends, however it
# ends. The staged medium is given to the test as QS_MEDIUM_DIR (a Windows path).
# usage: wine-e2e.sh TEMPLATE UNIT WORKDIR MEDIUM SECONDS PROGRAM [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# A test that needs windows runs on a virtual display of its own.
if [ "${QS_XVFB:-}" = 1 ] && [ -z "${QS_IN_XVFB:-}" ]; then
  export QS_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
. "$here/wine-env.sh"
template=$1 unit=$2 work=$3 medium=$4 limit=$5
shift 5

for arg in "$@"; do
  # Listing the tests touches nothing: the unit prefix serves.
  if [ "$arg" = "--gtest_list_tests" ]; then exec "$here/wine-run.sh" "$unit" "$limit" "$@"; fi
done

mkdir -p "$work"
prefix=$(mktemp -d "$work/pfx.XXXXXX")
cleanup() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

cp -a "$template/." "$prefix/"
export WINEPREFIX="$prefix"
export QS_MEDIUM_DIR="Z:${medium//\//\\}"
wineserver -p </dev/null >/dev/null 2>&1
timeout --kill-after=5 "$limit" wine "$@"
rc=$?
[ $rc -eq 124 ] && echo "wine-e2e: time limit of ${limit}s reached: $*" >&2
exit $rc
