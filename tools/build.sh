#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks, then configures and builds.
# Usage: build.sh [TARGET...]   (no target: everything)
# Used by demo.sh and test.sh; BUILD_DIR overrides the build folder (default: build).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

# Installed without recommended packages: cmake's generator (make) is one of those.
need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
command -v cmake >/dev/null || need+=(cmake)
command -v make >/dev/null || need+=(make)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
bash "$here/tools/apt-install.sh" ${need[@]+"${need[@]}"}

cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" ${targets[@]+"${targets[@]}"}
