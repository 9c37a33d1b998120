#!/usr/bin/env bash
# Every test: host build with sanitizers (unit tests natively, fuzz smoke run),
# the 32-bit Windows build (compile and link), and the 64-bit Windows build with
# its unit and end-to-end tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
status=0
for preset in host win32 win64; do
  echo "=== $preset ==="
  if ! cmake --workflow --preset "$preset"; then
    echo "=== $preset FAILED ==="
    status=1
  fi
done
[ $status -eq 0 ] && echo "=== all configurations passed ===" || echo "=== some configuration failed ==="
exit $status
