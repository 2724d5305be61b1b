#!/usr/bin/env bash
# net_bench.sh [BUILD_DIR]: runs bench/net_bench.exe of a release tree
# (scripts/build.sh release) against a loopback server of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
state="$build/bench/loopback/state.txt"
server="$root/tests/fixtures/net/loopback_server.py"

"$root/scripts/wine-env.sh" start "$build" >/dev/null
python3 "$server" start --state "$state" >/dev/null
trap 'python3 "$server" stop --state "$state"' EXIT
value() { sed -n "s/^$1=//p" "$state"; }
port=$(value http_port)
records="Z:$(value records_dir | tr / '\\')"

run() { "$build/wine-run.sh" "$build/bench/net_bench.exe" "$@"; }
run all "$port" "$records"
run peak "$port" $((16 * 1024 * 1024))
run peak "$port" $((256 * 1024 * 1024))
run peak-wininet "$port" $((16 * 1024 * 1024))
run peak-wininet "$port" $((256 * 1024 * 1024))
