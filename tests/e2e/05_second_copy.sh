#!/usr/bin/env bash
# A second copy hands over to the running one and ends with 0; a window merely
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

log "a relay-titled window without a number"
fresh_install --welcomed
start_spy 0 "not a number"
expect_eq "$(run_app_to_end)" 0 "exit code"
if inspect wait "ClickPocket 1.0" 100 >/dev/null; then fail "a control window appeared"; fi
[ ! -e "$INSTALL/My ClickPocket" ] || fail "the new copy prepared a workspace"
log "passed"
