#!/usr/bin/env bash
# The checked-in pictures are exactly what tools/gen_art.cpp draws.
set -euo pipefail
generator=$1 art=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$generator" "$out"
status=0
for f in clickpocket.ico about.bmp cvlogo.bmp tidelocker.bmp; do
    cmp -s "$out/$f" "$art/$f" || { echo "res/art/$f differs from what tools/gen_art.cpp draws"; status=1; }
done
[ $status -eq 0 ] && echo "res/art matches tools/gen_art.cpp"
exit $status
