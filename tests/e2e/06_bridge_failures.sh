#!/usr/bin/env bash
# Without a usable hook library the program says why and ends with 0, leaving
# no window, no Run value and never a ready relay.
source "$(dirname "$0")/lib.sh"

check_failure() {
    local what=$1 text=$2 box
    box=$(inspect msgbox "ClickPocket 1.0") || fail "$what: no message"
    expect_contains "$box" "text=$text" "$what"
    expect_contains "$box" "owner=ClickPocket 1.0" "$what: owner"
    if inspect wait cp_dn475dc_1 10 >/dev/null; then fail "$what: the relay was marked ready"; fi
    answer_box "ClickPocket 1.0" 1
    expect_eq "$(app_exit_code)" 0 "$what: exit code"
    inspect gone "ClickPocket 1.0" 2000 >/dev/null || fail "$what: control window left"
    inspect gone cp_dn475dc_0 2000 >/dev/null || fail "$what: relay left"
    expect_eq "$(run_value)" "" "$what: Run value"
}

log "library missing"
fresh_install --welcomed
rm "$INSTALL/ClickPocket.dll"
start_app
check_failure "missing library" "Failed to Load/Init DLL."

log "library without the hook procedure"
fresh_install --welcomed
cp "$CP_TOOLS_DIR/cpnoexport.dll" "$INSTALL/ClickPocket.dll"
start_app
check_failure "no export" "Failed to install MSH."
log "passed"
