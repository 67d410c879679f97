#!/usr/bin/env bash
# Test fixture: starts a virtual display of our own and prepares the Wine prefixes.
# Usage: start.sh <test-env.sh> [layer...]   (layers: unit e2e dpi by default)
# Xvfb picks a display number that is free (-displayfd) and reports it when it
# is ready to take connections; wine-env.sh hands that number to every test. A
# server that some other run or someone's session has on any display is never
# used. Each user of the fixture (the tests, make bench, make run, make
# screenshots: CP_SESSION) has its own display, ended by stop.sh by process id.
set -euo pipefail
here=$(dirname "$0")
source "$here/wine-env.sh" "$1" unit       # CP_XVFB_PID, CP_XVFB_DISPLAY
ours() {   # the Xvfb that this session's start.sh began, still running
    local pid
    pid=$(cat "$CP_XVFB_PID" 2>/dev/null) || return 1
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] \
        && [ -s "$CP_XVFB_DISPLAY" ]
}
if ! ours; then
    rm -f "$CP_XVFB_PID" "$CP_XVFB_DISPLAY"
    mkdir -p "$(dirname "$CP_XVFB_PID")"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$CP_XVFB_DISPLAY.new" </dev/null >"$CP_XVFB_PID.log" 2>&1 &
    echo $! >"$CP_XVFB_PID"
    for _ in $(seq 100); do
        grep -q '^[0-9][0-9]*$' "$CP_XVFB_DISPLAY.new" 2>/dev/null && break
        kill -0 "$(cat "$CP_XVFB_PID")" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '^[0-9][0-9]*$' "$CP_XVFB_DISPLAY.new" 2>/dev/null \
        || { echo "Xvfb did not start (see $CP_XVFB_PID.log)" >&2; exit 1; }
    mv "$CP_XVFB_DISPLAY.new" "$CP_XVFB_DISPLAY"
fi
display=":$(cat "$CP_XVFB_DISPLAY")"
xdpyinfo -display "$display" >/dev/null 2>&1 || { echo "Xvfb on $display does not answer" >&2; exit 1; }
layers=("${@:2}"); [ ${#layers[@]} -gt 0 ] || layers=(unit e2e dpi)
for layer in "${layers[@]}"; do
    (source "$here/wine-env.sh" "$1" "$layer"; source "$here/prefix.sh"; ensure_prefix)
done
echo "display $display ready; prefixes ready"
