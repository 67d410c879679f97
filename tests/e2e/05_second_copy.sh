#!/usr/bin/env bash
# A second copy hands over to the running one and ends with 0, also when both
# start at the same moment (only one ever hooks the mouse), and when the running
# one has stopped answering: it asks by a posted message and waits for nothing.
# Another program's window titled like the relay is nobody to hand over to.
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

log "a second copy, the running one stopped: it ends at once, and the running one shows itself when it goes on"
fresh_install --welcomed
start_ready
app_pid=$(cat "$APP_PID_FILE")
kill -STOP "$app_pid"
t0=$(date +%s%3N)
code=$(run_app_to_end)
took=$(( $(date +%s%3N) - t0 ))
kill -CONT "$app_pid"
log "the second copy ended with $code after $took ms"
expect_eq "$code" 0 "second copy's exit code"
[ "$took" -lt 2000 ] || fail "the second copy waited $took ms on the stopped one"
inspect visible "ClickPocket 1.0" 3000 >/dev/null || fail "running copy not shown once it went on"
expect_contains "$(inspect focus)" "focus=105" "focused control"

log "another program's relay, made after ours: a second copy hands over to ours, which the other never hears of"
click_on "ClickPocket 1.0" 105
start_spy 0
expect_eq "$(run_app_to_end)" 0 "second copy's exit code"
inspect visible "ClickPocket 1.0" 3000 >/dev/null || fail "running copy not shown"
expect_contains "$(inspect focus)" "foreground=ClickPocket 1.0" "foreground"
expect_eq "$(requests 1)" 0 "requests the other program received"
exit_app

log "that relay up and no copy running: a copy started gets ready"
start_app
for _ in $(seq 150); do [ "$(inspect count cp_dn475dc_1)" = 2 ] && break; sleep 0.1; done
expect_eq "$(inspect count cp_dn475dc_1)" 2 "ready relays"
exit_app
end_spy
log "passed"
