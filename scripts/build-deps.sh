#!/usr/bin/env bash
# Fetches and builds the third-party code the product links, into a cache
# outside the work tree: libcurl (static, Schannel, HTTP and HTTPS only) and
# the C sources of the LZMA SDK decoder. Idempotent; prints the cache path
# and, on a second line, the libcurl prefix. Each libcurl configuration has a
# prefix of its own, so checkouts that differ never undo each other's build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${VX_DEPS:-${HOME:-/root}/.cache/vandorix-deps}
mkdir -p "$cache"
# One build at a time: checkouts that share the cache wait for each other.
exec 9>"$cache/.lock"
flock 9

"$here/fetch-source.sh" 7zip "$cache/src/7zip" >&2
"$here/fetch-source.sh" curl "$cache/src/curl" >&2

# Everything the product does not use stays out, for size.
toolchain="$here/../cmake/mingw-w64-x86_64.cmake"
curl_opts=(
  -DCMAKE_BUILD_TYPE=MinSizeRel
  -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections"
  -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF
  -DCURL_STATICLIB=ON -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF
  -DHTTP_ONLY=ON -DCURL_DISABLE_COOKIES=ON -DCURL_DISABLE_ALTSVC=ON
  -DCURL_DISABLE_HSTS=ON -DCURL_DISABLE_NTLM=ON -DCURL_DISABLE_DOH=ON
  -DCURL_DISABLE_MIME=ON -DCURL_DISABLE_NETRC=ON -DCURL_DISABLE_PROGRESS_METER=ON
  -DCURL_DISABLE_SOCKETPAIR=OFF
  -DCURL_DISABLE_KERBEROS_AUTH=ON -DCURL_DISABLE_NEGOTIATE_AUTH=ON
  -DCURL_DISABLE_DIGEST_AUTH=ON -DCURL_DISABLE_BASIC_AUTH=OFF
  -DCURL_DISABLE_AWS=ON -DCURL_DISABLE_GETOPTIONS=ON -DCURL_DISABLE_PARSEDATE=OFF
  -DCURL_DISABLE_SHUFFLE_DNS=ON -DCURL_DISABLE_HEADERS_API=ON -DCURL_DISABLE_BINDLOCAL=ON
  -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_LIBIDN2=OFF -DUSE_NGHTTP2=OFF
  -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DENABLE_UNIX_SOCKETS=OFF
  -DENABLE_MANUAL=OFF -DCURL_CA_PATH=none -DCURL_CA_BUNDLE=none
)
# The stamp names what the build depends on, not where the checkout is.
stamp=$(printf '%s\n' "${curl_opts[@]}" "$(cat "$toolchain")" | sha1sum | cut -c1-12)
prefix="$cache/curl-mingw-$stamp"
if [ ! -f "$prefix/.complete" ]; then
  echo "building libcurl for mingw (once)" >&2
  rm -rf "$cache/build-curl" "$prefix"
  cmake -S "$cache/src/curl" -B "$cache/build-curl" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${curl_opts[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" >"$cache/build-curl.log" 2>&1 \
    || { tail -n 40 "$cache/build-curl.log" >&2; exit 1; }
  cmake --build "$cache/build-curl" >>"$cache/build-curl.log" 2>&1 \
    && cmake --install "$cache/build-curl" >>"$cache/build-curl.log" 2>&1 \
    || { tail -n 40 "$cache/build-curl.log" >&2; exit 1; }
  touch "$prefix/.complete"
fi
echo "$cache"
echo "$prefix"
