#!/usr/bin/env bash
# Configures and builds everything into BUILD_DIR (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-mingw-posix.cmake" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run;$build" >/dev/null
cmake --build "$build" -j"$(nproc)" -- --no-print-directory > "$build/build.log" 2>&1 \
  || { grep -vE '^\[ *[0-9]+%\]' "$build/build.log" >&2; exit 1; }
