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

# The size of the mapped window captioned "Pirovan", e.g. "490x349", or nothing.
pirovan_size() {
  xwininfo -root -tree 2>/dev/null | awk '/"Pirovan"/ && / [0-9]+x[0-9]+\+/ {
    for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) { split($i, s, "+"); print s[1]; exit } }'
}
wait_for_pirovan() {
  for _ in $(seq 1 120); do
    size=$(pirovan_size); [ -n "$size" ] && return 0
    sleep 1
  done
  return 1
}

wait_for_pirovan || { echo "run: the window \"Pirovan\" did not appear" >&2; exit 1; }
sleep 3   # let it paint
# A first start shows its notice before the window; keep a picture of it, then answer it.
if [ "$size" != "490x349" ] && [ "$(pirovan_size)" != "490x349" ]; then
  import -window root "$build/first-run-notice.png"
  echo "run: first start; the notice is saved to $build/first-run-notice.png"
  xdotool key Return
  for _ in $(seq 1 60); do [ "$(pirovan_size)" = "490x349" ] && break; sleep 1; done
  sleep 3
fi
import -window root "$build/screenshot.png"
echo "run: no display; screenshot of the window saved to $build/screenshot.png"
