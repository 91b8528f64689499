#!/usr/bin/env bash
# Builds the library and runs every test under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/tools/build.sh"

# One wineserver for the whole run: starting Wine costs seconds per process.
export WINEPREFIX=$build/wineprefix
"$here/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 </dev/null >/dev/null 2>&1   # creates the prefix if needed
wineserver -w          # let the short-lived server of that call finish
wineserver -p          # then keep one running until the trap ends it
trap 'wineserver -k || true' EXIT
# Wine's background services start with the first program and live as long as
# the server: start them here, detached from ctest's output pipes, which they
# would otherwise hold open.
"$here/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 </dev/null >/dev/null 2>&1

ctest --test-dir "$build" --output-on-failure -j1
