#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine and a private Xvfb display.
#   scripts/test.sh [CTEST_ARGS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" "$build" || exit 1
"$root/scripts/build.sh" "$build" || exit 1

. "$root/scripts/wine-env.sh" "$build"
. "$root/scripts/xvfb.sh"
start_xvfb
# One wineserver for the whole run, so that a test program does not wait for one to start.
HOME="$build/home" wineserver -p
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
rc=$?
wineserver -k 2>/dev/null
stop_xvfb
exit $rc
