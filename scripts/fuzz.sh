#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]
# Builds the native sanitizer tree (build/fuzz) and runs each libFuzzer
# target for SECONDS (default 60) from its seed corpus. A crash, leak or
# sanitizer report fails the run and leaves the input in build/fuzz/findings.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
seconds=${1:-60}
shift || true
buildroot=${VX_BUILD_ROOT:-$root/build}
dir="$buildroot/fuzz"

"$here/install-packages.sh" >&2
deps=$("$here/build-deps.sh" | sed -n 1p)
# Configured every time, as the Wine trees are: cheap, and it picks up a
# changed third-party cache.
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DVX_FUZZ=ON -DVX_DEPS="$deps" >/dev/null
cmake --build "$dir" >&2

mkdir -p "$dir/findings"
status=0
while IFS=: read -r target corpus; do
  [ -n "$target" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $target "* ]]; then continue; fi
  work="$dir/corpus/$target"
  mkdir -p "$work"
  seeds=()
  [ -n "$corpus" ] && seeds=("$root/fuzz/corpus/$corpus")
  echo "fuzzing $target for ${seconds}s"
  if ! "$dir/$target" -max_total_time="$seconds" -artifact_prefix="$dir/findings/$target-" \
       -print_final_stats=1 "$work" "${seeds[@]}" >"$dir/$target.log" 2>&1; then
    echo "FAILED: $target (see $dir/$target.log)"
    tail -n 40 "$dir/$target.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$dir/$target.log" | tr '\n' ' '; echo
  fi
done <"$dir/targets.txt"
exit $status
