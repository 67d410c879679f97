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

log "a taken press released over another program costs the first one nothing"
inspect post "My ClickPocket" close 0 0 >/dev/null
inspect gone "My ClickPocket" 5000 >/dev/null || fail "the folder window stayed"
start_other_target
inspect foreground "CP Target" >/dev/null
point_at "CP Target"
xdotool keydown Shift_L; sleep 0.1; xdotool mousedown 2; sleep 0.1; xdotool keyup Shift_L
# On Windows the release goes to whatever window is under the pointer. X sends it
# to the window that got the press for as long as that window is on screen: so
# the first program steps aside for the release, as if the folder window had
# come up under the pointer.
point_at "CP Other"
inspect showwindow "CP Target" 0 >/dev/null
sleep 0.3
xdotool mouseup 2
sleep 0.3
inspect showwindow "CP Target" 5 >/dev/null
inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window for the taken press"
expect_eq "$(target_saw MBUTTONDOWN)" 1 "presses the first program received"
expect_eq "$(target_saw MBUTTONUP "$OTHER_LOG")" 1 "the lone release over the other program"
inspect post "My ClickPocket" close 0 0 >/dev/null
inspect gone "My ClickPocket" 5000 >/dev/null || fail "the folder window stayed"
inspect foreground "CP Target" >/dev/null
point_at "CP Target"
middle_click
sleep 1
expect_eq "$(target_saw MBUTTONDOWN)" 2 "presses of the plain click"
expect_eq "$(target_saw MBUTTONUP)" 2 "releases of the plain click"
exit_app
log "passed"
