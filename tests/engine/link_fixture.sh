#!/bin/sh
# Makes a tree with directory links, which cannot be made from inside Wine:
#   lp/a/loop -> ..        (back to an ancestor)
#   lp/elsewhere -> ../other   (to a directory outside the tree)
set -e
dir=$1
rm -rf "$dir"
mkdir -p "$dir/lp/a" "$dir/other"
touch "$dir/lp/y.bak" "$dir/lp/a/x.bak" "$dir/other/z.bak"
ln -s .. "$dir/lp/a/loop"
ln -s ../other "$dir/lp/elsewhere"
