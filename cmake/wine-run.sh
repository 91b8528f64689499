#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix.
# Usage: wine-run.sh PREFIX_DIR PROGRAM [ARGS...]
# The prefix is created on first use (serialised with a lock so parallel
# callers wait for one another) and set to Wine's null graphics driver,
# so windows can be created with no display.
set -euo pipefail
prefix=$1; shift

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    rm -rf "$prefix"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # The desktop process of that first session started before the null driver
    # was chosen: let the session end, so the next program starts a fresh one.
    wineserver -w
    touch "$prefix/.ready"
  fi
) 9>"$prefix.lock"

exec wine "$@"
