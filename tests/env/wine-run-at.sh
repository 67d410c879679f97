#!/usr/bin/env bash
# Runs a Windows program of the test build in the "dpi" layer's prefix with the
# display at a scale of its own (LogPixels, set before the program starts).
# Usage: wine-run-at.sh <test-env.sh> <dpi> <program.exe> [args...]
here=$(dirname "$0")
source "$here/wine-env.sh" "$1" dpi
dpi=$2
shift 2
set_display_dpi "$dpi" || { echo "could not set the display to $dpi DPI" >&2; exit 1; }
exec "$CP_WINE" "$@"
