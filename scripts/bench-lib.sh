# Sourced by the benchmarks.
# median: the median of the numbers on standard input, one a line.
# bench_prefix BUILD_DIR: the Wine environment of our programs, a fresh work
#   folder ($work) with a copy of the build's template prefix in it
#   ($WINEPREFIX) under a warm wineserver; all of it goes when the script
#   exits, after the benchmark's own bench_extra_cleanup, when it defines one.
here_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

bench_cleanup() {
  if declare -F bench_extra_cleanup >/dev/null; then bench_extra_cleanup || true; fi
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}

bench_prefix() {
  . "$here_lib/wine-env.sh"
  work=$(mktemp -d)
  export WINEPREFIX=$work/prefix
  trap bench_cleanup EXIT
  cp -a "$1/wine/template" "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
}
