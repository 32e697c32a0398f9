#!/usr/bin/env bash
# Builds and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
"$root/scripts/build.sh"
build=${TALLYMAN_BUILD_DIR:-$root/build}
if [ -x "$build/ui/tallyman" ]; then
  exec "$build/ui/tallyman" "$@"
fi
exec "$build/cli/tallyman-cli" --help
