#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds what is stale, checks
# that includes run with the layers, runs every test under Wine (one Xvfb and
# one wineserver for the run), then each fuzz target of the native sanitizer
# build briefly. Every stage runs even when an earlier one failed, and the
# summary names each stage's result; any failure fails the run.
set -uo pipefail
export HOME=${HOME:-/root}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
buildroot=${VX_BUILD_ROOT:-$root/build}

"$here/install-packages.sh" || exit 1

declare -A result
run_stage() {
  local name=$1
  shift
  if "$@"; then result[$name]=passed; else result[$name]=FAILED; fi
}

testdir=
stop_wine() { [ -z "$testdir" ] || "$here/wine-env.sh" stop "$testdir"; }
trap stop_wine EXIT

run_ctest() {
  "$here/build.sh" release "$buildroot" >/dev/null || return 1
  testdir=$("$here/build.sh" test "$buildroot") || return 1
  "$here/wine-env.sh" start "$testdir" >/dev/null || return 1
  ctest --test-dir "$testdir" --output-on-failure --no-tests=error -j2 "$@" | tee "$buildroot/ctest.log"
}

# ctest's own count ("N% tests passed, F tests failed out of T") as the
# closing line of the run.
ctest_counts() {
  local line failed total
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$buildroot/ctest.log" 2>/dev/null | tail -n 1)
  [ -n "$line" ] || { echo "ctest: no test ran"; return; }
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  echo "ctest: $((total - failed)) passed, $failed failed"
}

rm -f "$buildroot/ctest.log"
run_stage layering python3 "$here/check_layers.py" "$root"
run_stage tests run_ctest "$@"
run_stage fuzzing "$here/fuzz.sh" "${VX_FUZZ_SECONDS:-60}"

echo "summary: layering ${result[layering]}, tests ${result[tests]}, fuzzing ${result[fuzzing]}"
ctest_counts
for name in layering tests fuzzing; do
  [ "${result[$name]}" = passed ] || exit 1
done
