#!/usr/bin/env bash
# Unpacks the upstream sources of Debian's lua5.1 source package into $1.
set -euo pipefail
dest=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if ! apt-get source --download-only lua5.1 >apt-source.log 2>&1; then
    cat apt-source.log >&2
    echo "apt-get source lua5.1 failed: a deb-src entry is needed (the driver adds one: ./build.sh deps)." >&2
    exit 1
fi
tar xzf lua5.1_*.orig.tar.gz
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv lua-5.1* "$dest"
