#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds what is stale, runs
# each fuzz target of the native sanitizer build briefly, then every test
# under Wine (one Xvfb and one wineserver for the run).
set -euo pipefail
export HOME=${HOME:-/root}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
buildroot=${VX_BUILD_ROOT:-$root/build}

"$here/build.sh" release "$buildroot" >/dev/null
testdir=$("$here/build.sh" test "$buildroot")
"$here/fuzz.sh" "${VX_FUZZ_SECONDS:-60}"

"$here/wine-env.sh" start "$testdir" >/dev/null
trap '"$here/wine-env.sh" stop "$testdir"' EXIT
ctest --test-dir "$testdir" --output-on-failure --no-tests=error -j2 "$@"
