#!/usr/bin/env bash
# with_test_ca.sh STATE_FILE WINE_RUN PROGRAM [ARGS...]
# Runs PROGRAM under Wine (WINE_RUN, the build's wine-run.sh) in a private
# mount namespace in which the host's certificate bundle path shows the
# loopback servers' bundle: the host bundle with the test CA appended.
#
# Wine's WinINet trusts the host bundle, read in the client process, so the
# namespace is enough for the program to trust the test CA; the host's own
# trust store is never changed. But Wine also copies the roots it read into
# the prefix's registry, where the test CA would stay trusted by every later
# process of the prefix; it is deleted from there when PROGRAM ends.
set -euo pipefail
state=$1
wine_run=$2
shift 2
value() { sed -n "s/^$1=//p" "$state"; }
bundle=$(value bundle_file)
ca=$(value ca_file)
host_bundle=/etc/ssl/certs/ca-certificates.crt
[ -s "$bundle" ] && [ -s "$ca" ] || { echo "no bundle or CA in $state" >&2; exit 1; }
[ -e "$host_bundle" ] || { echo "no host bundle at $host_bundle" >&2; exit 1; }
thumbprint=$(openssl x509 -in "$ca" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g')

forget_test_ca() {
  "$wine_run" reg delete \
    "HKLM\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\$thumbprint" /f \
    </dev/null >/dev/null 2>&1 || true
}
trap forget_test_ca EXIT

# The bind mount lives only as long as the namespace, that is PROGRAM.
unshare --mount --propagation private -- \
  sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' with_test_ca \
  "$bundle" "$host_bundle" "$wine_run" "$@"
