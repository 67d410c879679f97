#!/usr/bin/env bash
# With shift.dat present the option is on from the start: a plain middle click is
# left to the program under the cursor; Left Shift + middle click opens the folder.
source "$(dirname "$0")/lib.sh"

fresh_install --welcomed
: >"$INSTALL/shift.dat"
start_ready
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "control window still hidden"
expect_eq "$(inspect checked 'ClickPocket 1.0' 500)" 1 "checkbox 500"
expect_eq "$(inspect text cp_dn475dc_1 102)" 1 "field 102"

start_target
point_at "CP Target"
log "plain middle click passes through"
middle_click
sleep 1.5
expect_eq "$(target_saw MBUTTONDOWN)" 1 "presses the target received"
expect_eq "$(target_saw MBUTTONUP)" 1 "releases the target received"
if inspect wait "My ClickPocket" 100 >/dev/null; then fail "the folder opened"; fi

log "Left Shift + middle click opens the folder"
shift_middle_click
inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window"
sleep 0.3
expect_eq "$(target_saw MBUTTONDOWN)" 1 "presses after the taken click"
exit_app
log "passed"
