#!/usr/bin/env bash
# Installs Debian packages: directly as root, otherwise through sudo.
# Usage: apt-install.sh PACKAGE...
# The package lists are refreshed only when a package is unknown to them or
# the install fails (stale lists point at files the mirror no longer has).
set -euo pipefail
[ $# -gt 0 ] || exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "apt-install.sh: installing $* needs root or sudo" >&2
    exit 1
  fi
  as_root=(sudo)
fi
# sudo resets the environment, so the variable goes in through env.
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q)

update() { "${apt[@]}" update; }
install() { "${apt[@]}" install -y --no-install-recommends "$@"; }

echo "Installing: $*"
for package in "$@"; do
  if [ -z "$(apt-cache policy "$package" 2>/dev/null | sed -n 's/^ *Candidate: *//p' | grep -v '(none)')" ]; then
    update
    break
  fi
done
install "$@" || { update && install "$@"; }
