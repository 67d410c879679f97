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
export DISPLAY="${CP_DISPLAY_OVERRIDE:-:$CP_TEST_DISPLAY}"
# No desktop integration: menus and file associations are not needed.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
