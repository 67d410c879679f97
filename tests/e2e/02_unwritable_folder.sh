#!/usr/bin/env bash
# A read-only install folder, or a file where the workspace folder should be:
# the file-access error with no owner, then the end with 0, leaving no window and
# no Run value.
source "$(dirname "$0")/lib.sh"

check_refused() {
    local what=$1 box
    box=$(inspect msgbox "ClickPocket 1.0") || fail "$what: no message"
    expect_contains "$box" 'text=File access error in folder "My ClickPocket". Program will terminate.' "$what"
    expect_eq "$(echo "$box" | sed -n 's/^owner=//p')" "" "$what: owner"
    answer_box "ClickPocket 1.0" 1
    expect_eq "$(app_exit_code)" 0 "$what: exit code"
    inspect gone "ClickPocket 1.0" 2000 >/dev/null || fail "$what: a window is left"
    inspect gone cp_dn475dc_0 100 >/dev/null || fail "$what: relay left"
    expect_eq "$(run_value)" "" "$what: Run value"
}

log "read-only install folder"
fresh_install --welcomed
make_read_only
start_app
check_refused "read-only folder"
unmount_install

log "a file named My ClickPocket"
fresh_install --welcomed
echo "not a folder" >"$INSTALL/My ClickPocket"
start_app
check_refused "file in the way"
expect_eq "$(cat "$INSTALL/My ClickPocket")" "not a folder" "the file is untouched"
log "passed"
