#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  cmake make ninja-build python3 git pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64 mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-utils evilwm
  fonts-wqy-microhei fonts-tlwg-loma-ttf fonts-dejavu-core
  7zip rapidjson-dev libstb-dev googletest librsvg2-bin
  clang llvm libclang-rt-14-dev
  openssl
  util-linux mount ca-certificates
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
