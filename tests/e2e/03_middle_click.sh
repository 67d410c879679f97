#!/usr/bin/env bash
# A middle click over another program opens "My ClickPocket" in front, with the
# control window hidden, and the program under the cursor sees nothing of it;
# Left Ctrl + middle click shows the control window with the focus on Hide.
source "$(dirname "$0")/lib.sh"

fresh_install --welcomed
start_ready
start_target
point_at "CP Target"

log "middle click opens the folder"
middle_click
inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window"
sleep 0.5
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "My ClickPocket" "foreground"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "control window hidden"

log "Left Ctrl + middle click shows the control window"
point_at "CP Target"
ctrl_middle_click
inspect visible "ClickPocket 1.0" 5000 >/dev/null || fail "control window not shown"
sleep 0.3
focus=$(inspect focus)
expect_contains "$focus" "foreground=ClickPocket 1.0" "foreground"
expect_contains "$focus" "focus=105" "focused control"

log "a second middle click raises the open folder and hides the control window"
point_at "CP Target"
middle_click
sleep 1
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "My ClickPocket" "foreground"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "control window hidden"

expect_eq "$(target_saw MBUTTON)" 0 "middle button messages the target received"
expect_eq "$(target_saw NCMBUTTON)" 0 "frame middle button messages"
exit_app
log "passed"
