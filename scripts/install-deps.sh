#!/usr/bin/env bash
# Installs what the build and the tests need, when it is missing (Debian).
set -euo pipefail
packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix   # Windows cross compilers, posix threads
  wine wine64                                           # the Windows tests run under Wine
  xvfb xauth                                            # a virtual display for tests with windows
  ghostscript                                           # renders what the print tests print to PostScript
  fonts-wine fonts-liberation                           # fonts for GDI+ text in the prefix (Tahoma and friends)
  googletest                                            # GoogleTest sources, built per configuration
  clang libclang-rt-14-dev                              # host build: sanitizers and libFuzzer
  libc-bin coreutils perl                               # iconv, timeout, the log printer
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# A partial index error is tolerated as long as the packages then install.
$SUDO apt-get update || echo "apt-get update reported errors; trying the install anyway" >&2
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
for p in "${missing[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || { echo "package $p did not install" >&2; exit 1; }
done
