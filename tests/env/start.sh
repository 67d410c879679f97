#!/usr/bin/env bash
# Test fixture: starts the virtual display and prepares the Wine prefixes.
set -euo pipefail
here=$(dirname "$0")
source "$1"
display=":$CP_TEST_DISPLAY"
if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$CP_BUILD_DIR/xvfb.log" 2>&1 &
    echo $! >"$CP_BUILD_DIR/xvfb.pid"
    for _ in $(seq 50); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && break
        sleep 0.1
    done
fi
xdpyinfo -display "$display" >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }
layers=("${@:2}"); [ ${#layers[@]} -gt 0 ] || layers=(unit e2e)
for layer in "${layers[@]}"; do
    (source "$here/wine-env.sh" "$1" "$layer"; source "$here/prefix.sh"; ensure_prefix)
done
echo "display $display ready; prefixes ready"
