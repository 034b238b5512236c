#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build): everything, or the targets named
# in BUILD_TARGETS (space-separated).
#   scripts/build.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-mingw-posix.cmake" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run;$build" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}" -- --no-print-directory > "$build/build.log" 2>&1 \
  || { grep -vE '^\[ *[0-9]+%\]' "$build/build.log" >&2; exit 1; }
