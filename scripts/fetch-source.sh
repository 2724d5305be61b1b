#!/usr/bin/env bash
# fetch-source.sh PACKAGE DEST
# Unpacks Debian's source package PACKAGE into DEST (a directory that is
# created). The deb-src entries are derived from the machine's own apt
# configuration into a private list, so the system's apt setup is unchanged.
set -euo pipefail
pkg=$1
dest=$2

[ -d "$dest" ] && [ -f "$dest/.complete" ] && exit 0

state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT

# Copy every enabled deb entry as a deb-src entry: deb822 stanzas and
# one-line entries alike.
srclist="$state/sources.list.d"
mkdir -p "$srclist" "$state/lists/partial" "$state/cache/archives/partial"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed -e 's/^Types:.*/Types: deb-src/' "$f" > "$srclist/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  grep -E '^[[:space:]]*deb[[:space:]]' "$f" | sed -e 's/^\([[:space:]]*\)deb[[:space:]]/\1deb-src /' \
    >> "$srclist/derived.list" || true
done

opts=(
  -o "Dir::Etc::SourceList=/dev/null"
  -o "Dir::Etc::SourceParts=$srclist"
  -o "Dir::State::Lists=$state/lists"
  -o "Dir::Cache=$state/cache"
  -o "APT::Sandbox::User=root"
)
apt-get "${opts[@]}" -qq update
work="$state/src"
mkdir -p "$work"
( cd "$work" && apt-get "${opts[@]}" -qq --only-source source "$pkg" >/dev/null )
tree=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
[ -n "$tree" ] || { echo "fetch-source: no source tree for $pkg" >&2; exit 1; }
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$tree" "$dest"
touch "$dest/.complete"
