#!/usr/bin/env bash
# Sets up, builds and runs Pirovan. With a display ($DISPLAY) the window opens there and the
# script ends with the program. Without one the program runs under a private Xvfb: once its
# window is up, a screenshot is saved to BUILD_DIR/screenshot.png and the program is ended.
#   scripts/run.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/setup.sh" "$build"
build=$(cd "$build" && pwd)
"$root/scripts/build.sh" "$build"

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh" "$build"
program=$(winepath_of "$build/app/Kemlo.exe")

if [ -n "${DISPLAY:-}" ]; then
  wine "$program"
  exit $?
fi

# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"
start_xvfb
export HOME="$build/home"
finish() { wineserver -k 2>/dev/null || true; stop_xvfb; }
trap finish EXIT
wine "$program" >/dev/null 2>&1 &

shown=
for _ in $(seq 1 120); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Pirovan"'; then shown=1; break; fi
  sleep 1
done
if [ -z "$shown" ]; then
  echo "run: the window \"Pirovan\" did not appear" >&2
  exit 1
fi
sleep 3   # let it paint
import -window root "$build/screenshot.png"
echo "run: no display; screenshot of the window saved to $build/screenshot.png"
