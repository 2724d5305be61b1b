#!/usr/bin/env bash
# demo.sh: the installer demo. Installs what is missing, builds the release
# tree, starts the loopback package CDN and analytics collector with the demo
# package installer, and runs the end-to-end installer under Wine:
#   - with $DISPLAY set, on that display for a person to click through;
#     a screenshot is saved whenever the window changes;
#   - without it, on a private Xvfb, driven through the whole road
#     automatically, with a screenshot of every page.
# The screenshot folder is printed on stdout. Servers, Xvfb and wineserver
# started here are stopped when the installer ends.
set -euo pipefail
export HOME=${HOME:-/root}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
buildroot=${VX_BUILD_ROOT:-$root/build}

"$here/install-packages.sh" >&2
dir=$("$here/build.sh" release "$buildroot")
exe="$dir/ui/vandorix_setup_e2e.exe"
fixture() {
  local found
  for tree in "$dir" "$buildroot/test"; do
    found="$tree/tests/fixtures/$1.exe"
    [ -f "$found" ] && { echo "$found"; return; }
  done
  echo "missing $1.exe (built with the tests)" >&2
  return 1
}
installer=$(fixture package_installer_fixture)
child=$(fixture child_helper)
[ -f "$exe" ] || { echo "missing $exe" >&2; exit 1; }
out="$buildroot/demo"

if [ -n "${DISPLAY:-}" ]; then
  # A person's display: only the prefix is needed; wineserver starts with
  # the first Wine process and is stopped at the end.
  "$here/wine-env.sh" prefix "$dir" >&2
  stop_wine() { . "$here/wine-vars.sh" "$dir"; wineserver -k 2>/dev/null || true; }
  trap stop_wine EXIT
  VX_E2E_DISPLAY=$DISPLAY python3 "$root/tests/e2e/demo_run.py" watch \
    --build "$dir" --exe "$exe" --installer "$installer" --child "$child" --out "$out"
else
  "$here/wine-env.sh" start "$dir" >/dev/null
  trap '"$here/wine-env.sh" stop "$dir"' EXIT
  python3 "$root/tests/e2e/demo_run.py" auto \
    --build "$dir" --exe "$exe" --installer "$installer" --child "$child" --out "$out"
fi
