#!/usr/bin/env bash
# Runs a Windows program of the test build in the "dpi" layer's prefix once at
# each display scale of a list (LogPixels, set before each start), one prefix
# for all. Fails when any run fails, and says at which DPI.
# Usage: wine-run-at.sh <test-env.sh> <dpi>[,<dpi>...] <program.exe> [args...]
here=$(dirname "$0")
source "$here/wine-env.sh" "$1" dpi
IFS=, read -r -a dpis <<<"$2"
shift 2
failed=()
for dpi in "${dpis[@]}"; do
    echo "=== at $dpi DPI"
    set_display_dpi "$dpi" || { echo "could not set the display to $dpi DPI" >&2; exit 1; }
    "$CP_WINE" "$@" || failed+=("$dpi")
done
[ ${#failed[@]} -eq 0 ] || { echo "failed at ${failed[*]} DPI" >&2; exit 1; }
