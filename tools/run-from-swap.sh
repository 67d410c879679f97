#!/usr/bin/env bash
# Marks a PE file (ClickPocket.exe, ClickPocket.dll) "run from swap" for removable
# and network media: IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP
# (0x0400 | 0x0800) in the COFF header's Characteristics. Windows then copies the
# image to the page file when it loads it, so that a USB stick pulled out or a
# share gone cannot take down the programs the hook library is mapped into.
# MSVC's linker has /SWAPRUN:CD /SWAPRUN:NET; GNU ld has no such option, so the
# build runs this after linking. Usage: tools/run-from-swap.sh <file>...
set -euo pipefail
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
for file in "$@"; do
    pe=$(u32 "$file" 60)
    [ "$(od -An -tx1 -j "$pe" -N4 "$file" | tr -d ' ')" = 50450000 ] \
        || { echo "$file: not a PE file" >&2; exit 1; }
    at=$((pe + 4 + 18))          # Characteristics, after "PE\0\0" and 18 bytes of header
    flags=$(( $(u16 "$file" $at) | 0x0C00 ))
    printf "\\x$(printf %02x $((flags & 0xFF)))\\x$(printf %02x $((flags >> 8)))" \
        | dd of="$file" bs=1 seek=$at conv=notrunc status=none
done
