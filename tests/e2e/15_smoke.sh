#!/usr/bin/env bash
# cpsmoke.exe, the check for a real Windows PC (docs/testing.md), on this build's
# program folder: every check passes, and the other bitness is skipped under
# Wine. It fails where ClickPocket is broken: a hook library without its
# procedure, a folder request that brings no window; and it refuses to run
# while a ClickPocket runs. Each run leaves the user's Run values, the temporary
# folder and the programs running as it found them.
source "$(dirname "$0")/lib.sh"
if [ "$CP_WINEARCH" = win64 ]; then BITS=64-bit; else BITS=32-bit; fi
OWN="$BITS program"
SMOKE_OUT="$CP_BUILD_DIR/e2e/$SCENARIO.out"
# The user's own ClickPocket elsewhere, started from both keys.
USER_VALUE='"C:\Users\Jörg\Tools\ClickPocket.exe"'
MACHINE_VALUE='C:\Program Files\ClickPocket\ClickPocket.exe'

# The control window may keep a sender waiting 500 ms here, not the 50 ms of a
# Windows PC: some 15 to 30 ms idle under Wine, 70 ms on a loaded machine of two
# cores; a thread that waits on the shell is silent for seconds.
smoke() {   # <program folder> <expected exit code>
    local code=0
    "$CP_WINE" "$CP_TOOLS_DIR/cpsmoke.exe" --responsive-ms 500 "$(winpath "$1")" >"$SMOKE_OUT" 2>/dev/null || code=$?
    tr -d '\r' <"$SMOKE_OUT" | sed "s/^/[$SCENARIO]   /"
    expect_eq "$code" "$2" "cpsmoke's exit code"
}
# Each check named after the verdict has a line with that verdict.
expect_lines() {
    local verdict=$1 check line found; shift
    for check in "$@"; do
        found=
        while IFS= read -r line; do
            case $line in "$check: $verdict"|"$check: $verdict "*|"$check: $verdict:"*) found=1 ;; esac
        done < <(tr -d '\r' <"$SMOKE_OUT")
        [ -n "$found" ] || fail "no line '$check: $verdict'"
    done
}
expect_summary() { expect_eq "$(tr -d '\r' <"$SMOKE_OUT" | tail -n 1)" "$1" "last line"; }
expect_left_as_found() {
    expect_eq "$(inspect runvalue HKCU)" "$USER_VALUE" "$1: the user's HKCU Run value"
    expect_eq "$(inspect runvalue HKLM)" "$MACHINE_VALUE" "$1: the machine's Run value"
    local left
    left=$(find "$WINEPREFIX/drive_c/users" -maxdepth 5 -name 'cpsmoke-*' 2>/dev/null)
    expect_eq "$left" "" "$1: temporary folders left"
    expect_eq "$(inspect count "$CONTROL")" 0 "$1: control windows left"
    expect_eq "$(inspect count "CP Smoke Target")" 0 "$1: target windows left"
    if inspect wait cp_dn475dc_0 10 >/dev/null; then fail "$1: a relay is left"; fi
}

fresh_install --welcomed
"$CP_WINE" reg add "$USER_RUN_KEY" /v CLICKPOCKET /d "$USER_VALUE" /f >/dev/null 2>&1
"$CP_WINE" reg add "$RUN_KEY" /v CLICKPOCKET /d "$MACHINE_VALUE" /f >/dev/null 2>&1

log "the build's program folder: every check passes"
smoke "$CP_DIST_DIR" 0
expect_lines passed "no ClickPocket already runs in this session" \
    "a fresh copy of the program folder" "start: ClickPocket gets ready" \
    "autostart: the Run value starts this copy" "DPI of the control window (for the record)" \
    "$OWN, Left Ctrl + middle click: the control window is in front, the focus on Hide" \
    "$OWN, Left Ctrl + middle click: press and release kept from the program clicked" \
    "$OWN, middle click: the folder window is in front" \
    "$OWN, middle click: the folder window's thread has the keyboard focus" \
    "$OWN, middle click: the control window is hidden" \
    "$OWN, middle click: press and release kept from the program clicked" \
    "$OWN, middle click: the control window answers throughout" \
    "Exit: WM_CLOSE, then Yes, ends ClickPocket with exit code 0" \
    "Exit: nothing of ClickPocket's left running" "Exit: the Run value is removed" \
    "the CLICKPOCKET Run values are as they were" "the temporary folder is deleted"
expect_lines skipped "$([ $BITS = 64-bit ] && echo 32-bit || echo 64-bit) program"
expect_contains "$(cat "$SMOKE_OUT")" "skipped: needs Windows" "the other bitness"
expect_summary "17 passed, 0 failed"
expect_left_as_found "intact"

log "a hook library without its procedure: the start fails, and nothing is left"
cp "$CP_TOOLS_DIR/cpnoexport.dll" "$INSTALL/ClickPocket.dll"
smoke "$INSTALL" 1
expect_lines FAILED "start: ClickPocket gets ready"
expect_contains "$(cat "$SMOKE_OUT")" 'it says "Failed to install MSH."' "the reason"
expect_lines passed "the CLICKPOCKET Run values are as they were" "the temporary folder is deleted"
expect_summary "4 passed, 1 failed"
expect_left_as_found "no export"

log "a folder request that brings no window: the folder checks fail, the rest pass"
late_folder_action -1
smoke "$CP_DIST_DIR" 1
expect_lines FAILED "$OWN, middle click: the folder window is in front" \
    "$OWN, middle click: the folder window's thread has the keyboard focus" \
    "$OWN, middle click: the control window is hidden"
expect_lines passed "$OWN, Left Ctrl + middle click: the control window is in front, the focus on Hide" \
    "$OWN, middle click: press and release kept from the program clicked" \
    "Exit: WM_CLOSE, then Yes, ends ClickPocket with exit code 0" "Exit: the Run value is removed"
expect_summary "14 passed, 3 failed"
expect_contains "$(cat "$FOLDER_LOG")" "OPENED C:\\" "the folder handed to the stand-in"
restore_folder_action
expect_left_as_found "no window"

log "a ClickPocket already running: cpsmoke refuses and touches nothing"
cp "$CP_DIST_DIR/ClickPocket.dll" "$INSTALL/ClickPocket.dll"
start_ready
smoke "$CP_DIST_DIR" 1
expect_lines FAILED "no ClickPocket already runs in this session"
expect_summary "0 passed, 1 failed"
expect_eq "$(field "$CONTROL" pid)" "$(inspect info cp_dn475dc_1 | sed -n 's/^pid=//p')" "the running copy"
expect_eq "$(inspect runvalue HKCU)" "\"$(winpath "$INSTALL/ClickPocket.exe")\"" "its Run value"
exit_app
log "passed"
