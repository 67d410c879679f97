#!/usr/bin/env bash
# Test fixture cleanup: stops the wineservers and the display that start.sh began.
here=$(dirname "$0")
source "$1"
layers=("${@:2}"); [ ${#layers[@]} -gt 0 ] || layers=(unit e2e)
for layer in "${layers[@]}"; do
    (source "$here/wine-env.sh" "$1" "$layer"; "$CP_WINESERVER" -k 2>/dev/null || true)
done
if [ -f "$CP_BUILD_DIR/xvfb.pid" ]; then
    kill "$(cat "$CP_BUILD_DIR/xvfb.pid")" 2>/dev/null || true
    rm -f "$CP_BUILD_DIR/xvfb.pid"
fi
exit 0
