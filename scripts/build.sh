#!/usr/bin/env bash
# Configures and builds into build/ (or $TALLYMAN_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TALLYMAN_BUILD_DIR:-$root/build}
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DTALLYMAN_WERROR=$werror "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
