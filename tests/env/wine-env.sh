# Sourced by the test scripts: the Wine environment of one test layer.
# Usage: source wine-env.sh <test-env.sh> <layer>     (layer: unit, e2e, bench, run)
# shellcheck disable=SC1090
source "$1"
CP_LAYER=$2
export WINEPREFIX="$CP_BUILD_DIR/wine-$CP_LAYER"
export WINEARCH="$CP_WINEARCH"
export WINEDEBUG=-all
export WINESERVER="$CP_WINESERVER"
export WINELOADER="$CP_WINE"
# Unix file names are UTF-8 (install folders named in any language); Windows
# programs get the code page of U.S. English, 1252, unless they ask for UTF-8.
export LC_ALL=C.UTF-8
# The virtual display that start.sh began for this session (the tests, or
# CP_SESSION: bench, run, screenshots): its process id and display number.
CP_XVFB_PID="$CP_BUILD_DIR/xvfb-${CP_SESSION:-tests}.pid"
CP_XVFB_DISPLAY="$CP_BUILD_DIR/xvfb-${CP_SESSION:-tests}.display"
if [ -n "${CP_DISPLAY_OVERRIDE:-}" ]; then
    export DISPLAY="$CP_DISPLAY_OVERRIDE"
elif [ -s "$CP_XVFB_DISPLAY" ]; then
    export DISPLAY=":$(cat "$CP_XVFB_DISPLAY")"
else
    export DISPLAY=     # no display of ours yet: nothing to draw on by accident
fi
# No desktop integration: menus and file associations are not needed.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# The display's scale in this layer's prefix, 96 DPI being 100 %: Wine reads it
# (HKCU\Control Panel\Desktop\LogPixels) when a program starts, tells it to the
# program and lays dialogs out with it. The "dpi" layer's prefix is the one whose
# scale the tests change; every test sets it before it starts a program there.
set_display_dpi() {
    "$CP_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}
