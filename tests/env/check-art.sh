#!/usr/bin/env bash
# The checked-in pictures are exactly what tools/gen_art.cpp draws: the icon, each
# picture at 100 % and its masters, and nothing else.
set -euo pipefail
generator=$1 art=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$generator" "$out"
status=0
for f in "$out"/*; do
    name=$(basename "$f")
    cmp -s "$f" "$art/$name" || { echo "res/art/$name differs from what tools/gen_art.cpp draws"; status=1; }
done
for f in "$art"/*; do
    [ -e "$out/$(basename "$f")" ] || { echo "res/art/$(basename "$f") is not drawn by tools/gen_art.cpp"; status=1; }
done
[ $status -eq 0 ] && echo "res/art matches tools/gen_art.cpp ($(ls "$out" | wc -l) files)"
exit $status
