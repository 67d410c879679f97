#!/usr/bin/env bash
# Runs a Windows program of the test build in the prefix of a test layer.
# Usage: wine-run.sh <test-env.sh> <layer> <program.exe> [args...]
here=$(dirname "$0")
source "$here/wine-env.sh" "$1" "$2"
shift 2
exec "$CP_WINE" "$@"
