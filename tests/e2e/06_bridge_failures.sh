#!/usr/bin/env bash
# Without a usable hook library the program says why and ends with 0, leaving
# no window, no Run value and never a ready relay.
source "$(dirname "$0")/lib.sh"


log "library missing"
fresh_install --welcomed
rm "$INSTALL/ClickPocket.dll"
start_app
expect_start_refused "missing library" "Failed to Load/Init DLL." "ClickPocket 1.0"

log "library missing, a stand-in in the working folder"
# The program starts from $CP_BUILD_DIR/e2e (see start_app): a library there, or
# anywhere on the search path, must never stand in for the program's own.
cp "$CP_TOOLS_DIR/cpnoexport.dll" "$CP_BUILD_DIR/e2e/ClickPocket.dll"
start_app
expect_start_refused "stand-in elsewhere" "Failed to Load/Init DLL." "ClickPocket 1.0"
rm -f "$CP_BUILD_DIR/e2e/ClickPocket.dll"

log "library without the hook procedure"
fresh_install --welcomed
cp "$CP_TOOLS_DIR/cpnoexport.dll" "$INSTALL/ClickPocket.dll"
start_app
expect_start_refused "no export" "Failed to install MSH." "ClickPocket 1.0"
log "passed"
