#!/usr/bin/env bash
# build.sh test|release [BUILD_ROOT]
# Installs what is missing, builds the third-party code once and then the
# chosen tree: "test" (tests, UndefinedBehaviorSanitizer) or "release"
# (size-optimised product and benchmarks). Prints the build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
kind=$1
buildroot=${2:-${VX_BUILD_ROOT:-$root/build}}

"$here/install-packages.sh" >&2
deps_out=$("$here/build-deps.sh")
deps=$(sed -n 1p <<<"$deps_out")
curl=$(sed -n 2p <<<"$deps_out")

case "$kind" in
  test) opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_TESTS=ON -DVX_SANITIZE=ON) ;;
  release) opts=(-DCMAKE_BUILD_TYPE=MinSizeRel -DVX_BENCH=ON) ;;
  *) echo "usage: $0 test|release" >&2; exit 2 ;;
esac
dir="$buildroot/$kind"
# Configured every time: cheap, and it picks up a changed third-party prefix.
cmake -S "$root" -B "$dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVX_DEPS="$deps" -DVX_CURL_DIR="$curl" "${opts[@]}" >/dev/null
cmake --build "$dir" >&2
echo "$dir"
