#!/usr/bin/env bash
# with_test_ca.sh BUNDLE COMMAND...
# Runs COMMAND in a private mount namespace in which the host's certificate
# bundle path shows BUNDLE (a copy of the host bundle with the test CA
# appended). Wine's WinINet trusts that bundle, not roots added to the
# prefix; the host's own trust store is never changed.
set -euo pipefail
bundle=$1
shift
host_bundle=/etc/ssl/certs/ca-certificates.crt
[ -s "$bundle" ] || { echo "no bundle at $bundle" >&2; exit 1; }
[ -e "$host_bundle" ] || { echo "no host bundle at $host_bundle" >&2; exit 1; }
# The mount lives only as long as the namespace, that is as long as COMMAND.
exec unshare --mount --propagation private -- \
  sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' with_test_ca "$bundle" "$host_bundle" "$@"
