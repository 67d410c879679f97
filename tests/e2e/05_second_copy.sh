#!/usr/bin/env bash
# A second copy hands over to the running one and ends with 0, also when both
# start at the same moment (only one ever hooks the mouse); a window merely
# titled like the relay, with no number in field 100, makes a new copy end quietly.
source "$(dirname "$0")/lib.sh"

fresh_install --welcomed
start_ready
log "second copy"
expect_eq "$(run_app_to_end)" 0 "second copy's exit code"
inspect visible "ClickPocket 1.0" 3000 >/dev/null || fail "running copy not shown"
focus=$(inspect focus)
expect_contains "$focus" "foreground=ClickPocket 1.0" "foreground"
expect_contains "$focus" "focus=105" "focused control"
exit_app

log "two copies started at the same moment: one runs, the other hands over to it"
fresh_install --welcomed
for try in 1 2 3; do
    # Each start returns once its process exists: the two are some ms apart,
    # long before either has a window.
    for copy in a b; do
        start_exe "$INSTALL/ClickPocket.exe" "$CP_BUILD_DIR/e2e/$SCENARIO.$copy.pid" \
            "$CP_BUILD_DIR/e2e/$SCENARIO.$copy.exit"
    done
    inspect wait cp_dn475dc_1 15000 >/dev/null || fail "try $try: no copy became ready"
    for _ in $(seq 150); do
        ls "$CP_BUILD_DIR/e2e/$SCENARIO".?.exit >/dev/null 2>&1 && break
        sleep 0.1
    done
    expect_eq "$(cat "$CP_BUILD_DIR/e2e/$SCENARIO".?.exit 2>/dev/null)" 0 "try $try: the copy that ended"
    sleep 1
    expect_eq "$(inspect count cp_dn475dc_1)" 1 "try $try: ready relays"
    inspect visible "ClickPocket 1.0" 3000 >/dev/null || fail "try $try: the running copy was not shown"
    inspect post "ClickPocket 1.0" close 0 0 >/dev/null
    answer_box "Your attention please!" 6
    for _ in $(seq 100); do
        [ "$(ls "$CP_BUILD_DIR/e2e/$SCENARIO".?.exit 2>/dev/null | wc -l)" = 2 ] && break
        sleep 0.1
    done
    expect_eq "$(cat "$CP_BUILD_DIR/e2e/$SCENARIO".?.exit | tr -d '\n')" 00 "try $try: exit codes"
    inspect gone cp_dn475dc_1 2000 >/dev/null || fail "try $try: a relay was left"
done

log "a relay-titled window without a number"
fresh_install --welcomed
start_spy 0 "not a number"
expect_eq "$(run_app_to_end)" 0 "exit code"
if inspect wait "ClickPocket 1.0" 100 >/dev/null; then fail "a control window appeared"; fi
[ ! -e "$INSTALL/My ClickPocket" ] || fail "the new copy prepared a workspace"
log "passed"
