#!/usr/bin/env bash
# Builds the demo host (and only what it loads) and runs it.
#   demo.sh [--large] [FILE]   headless: its frame is written to FILE (default build/drafthost.png)
#   demo.sh --live [--large]   on the X display in $DISPLAY, to be used by hand
# Other options go to drafthost.exe as they are (drafthost --help lists them).
# The live run uses Wine's X11 driver in a prefix of its own (build/wineprefix-live),
# inside a Wine desktop window (title bars and activation without a window manager);
# DESKTOP=WIDTHxHEIGHT sizes it (default 1200x900).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

live=false
out=
args=()
while [ $# -gt 0 ]; do
  case $1 in
    --live) live=true ;;
    --screenshot) out=${2:-}; shift ;;
    -*) args+=("$1") ;;
    *) out=$1 ;;
  esac
  shift
done

if $live && [ -z "${DISPLAY:-}" ]; then
  echo "demo.sh --live: no X display in DISPLAY. On a machine without one:" >&2
  echo "  apt-get install xvfb; Xvfb :77 -screen 0 1280x1024x24 & DISPLAY=:77 bash tools/demo.sh --live" >&2
  exit 2
fi

"$here/tools/build.sh" drafthost

if ! $live; then
  out=$(realpath -m "${out:-$build/drafthost.png}")
  rm -f "$out"
  "$here/cmake/wine-run.sh" "$build/wineprefix" "$build/bin/drafthost.exe" ${args[@]+"${args[@]}"} \
    --screenshot "Z:${out//\//\\}"
  [ ! -f "$out" ] || echo "Demo screenshot: $out"
  exit 0
fi

# Wine's own title-bar glyphs.
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] || bash "$here/tools/apt-install.sh" fonts-wine

export WINEPREFIX=$build/wineprefix-live
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
[ -f "$WINEPREFIX/.ready" ] || { wineboot --init >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.ready"; }
# This Wine does not look in its own font folder: the prefix's Fonts folder it does read.
fonts=$WINEPREFIX/drive_c/windows/Fonts
[ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp "$marlett" "$fonts/"; }
exec wine explorer "/desktop=DraftHost,${DESKTOP:-1200x900}" "$build/bin/drafthost.exe" ${args[@]+"${args[@]}"}
