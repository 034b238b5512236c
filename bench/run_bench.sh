#!/usr/bin/env bash
# Times a whole search run of Kemlo.exe over generated trees (2,500 directories, 50,000
# files) with 5,000 and with 20,000 matches, against cmd's dir over the same tree, and
# splits the run into the search, the hand-overs to the UI thread and the window's work.
# Takes some minutes; not part of the tests.
#   bench/run_bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
"$root/scripts/setup.sh" "$build" >/dev/null
BUILD_TARGETS="Kemlo run_bench" "$root/scripts/build.sh" "$build"

. "$root/scripts/wine-env.sh" "$build"
. "$root/scripts/xvfb.sh"
start_xvfb
HOME="$build/home" wineserver -p
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT

trees="$build/bench-trees"
kemlo=$(winepath_of "$build/app/Kemlo.exe")
# The figures are the last line: Wine may say something of its own first.
bench() { "$root/scripts/wine-run" "$build" "$build/bench/run_bench.exe" "$@" | tr -d '\r' | tail -n 1; }

# 50 x 50 leaf directories of 20 files each, the first $2 of every directory named *.bak.
generate() {
  rm -rf "$1"
  python3 - "$1" "$2" <<'PY'
import os, sys
top, matches = sys.argv[1], int(sys.argv[2])
for a in range(50):
    for b in range(50):
        leaf = os.path.join(top, f"a{a:02d}", f"b{b:02d}")
        os.makedirs(leaf)
        for f in range(20):
            name = f"f{f:02d}.bak" if f < matches else f"n{f:02d}.txt"
            open(os.path.join(leaf, name), "w").close()
PY
}

for matches_per_dir in 2 8; do
  tree="$trees/m$matches_per_dir"
  generate "$tree" "$matches_per_dir"
  win_tree=$(winepath_of "$tree")
  read -r search handover found < <(bench engine "$win_tree")
  run=$(bench window "$win_tree" "$kemlo")
  dir=$(bench dir "$win_tree")
  awk -v m="$found" -v run="$run" -v dir="$dir" -v search="$search" -v hand="$handover" 'BEGIN {
    printf "tree: 2,550 directories, 50,000 files, %d matches\n", m
    printf "  Kemlo.exe, Start to the shell'"'"'s confirmation  %8.2f s\n", run
    printf "  cmd /c dir /s /b *.bak > file              %8.2f s   (run / dir = %.1f)\n", dir, run / dir
    printf "  search alone, no hand-over                 %8.2f s\n", search
    printf "  run with a window that does nothing        %8.2f s   (hand-overs %.2f s = %.0f%% of the run)\n", hand, hand - search, 100 * (hand - search) / run
    printf "  the window'"'"'s own work (the rest)            %8.2f s   (%.0f%% of the run)\n", run - hand, 100 * (run - hand) / run
  }'
done
rm -rf "$trees"
