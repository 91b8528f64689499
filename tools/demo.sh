#!/usr/bin/env bash
# Builds the library and runs the demo host headless; its frame is written to
# build/drafthost.png (pass another file name to choose).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
out=$(realpath -m "${1:-$build/drafthost.png}")
"$here/tools/build.sh"
"$here/cmake/wine-run.sh" "$build/wineprefix" "$build/bin/drafthost.exe" --screenshot "Z:${out//\//\\}"
echo "Demo screenshot: $out"
