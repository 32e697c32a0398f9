#!/usr/bin/env bash
# Builds the Debian package tallyman_<version>_<architecture>.deb into dist/ (or the folder given):
# builds the two programs in build/ (or $TALLYMAN_BUILD_DIR) and runs `cpack -G DEB` there.
# Install it with `sudo apt-get install ./dist/tallyman_*.deb`. Extra arguments go to cmake.
# Usage: scripts/package.sh [output folder] [cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
shift || true
"$root/scripts/deps.sh" package
build=${TALLYMAN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tallyman tallyman-cli tallyman_compressed_docs
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
ls "$out"/tallyman_*.deb
