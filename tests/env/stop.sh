#!/usr/bin/env bash
# Test fixture cleanup: stops the layers' wineservers (and with them every program
# still running in those prefixes) and the display that start.sh began, by its
# process id. Usage: stop.sh <test-env.sh> [layer...]
here=$(dirname "$0")
source "$here/wine-env.sh" "$1" unit
layers=("${@:2}"); [ ${#layers[@]} -gt 0 ] || layers=(unit e2e dpi)
for layer in "${layers[@]}"; do
    (source "$here/wine-env.sh" "$1" "$layer"; "$CP_WINESERVER" -k 2>/dev/null || true)
done
pid=$(cat "$CP_XVFB_PID" 2>/dev/null)
if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
fi
rm -f "$CP_XVFB_PID" "$CP_XVFB_DISPLAY"
exit 0
