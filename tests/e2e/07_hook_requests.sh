#!/usr/bin/env bash
# The hook library against a relay that counts its requests: one request per
# press, taken presses and releases never reach the program under the cursor,
# and untrusted relays get nothing while the clicks pass through.
source "$(dirname "$0")/lib.sh"

fresh_install --welcomed
start_target
start_spy 0
point_at "CP Target"

log "100 middle clicks"
xdotool click --repeat 100 --delay 40 2
sleep 1.5
expect_eq "$(requests 0)" 100 "folder requests"
expect_eq "$(target_saw MBUTTON)" 0 "middle button messages at the target (no orphan release)"

log "Left Ctrl + 5 middle clicks"
xdotool keydown Control_L; xdotool click --repeat 5 --delay 60 2; xdotool keyup Control_L
sleep 1
expect_eq "$(requests 1)" 5 "show requests"
expect_eq "$(target_saw MBUTTON)" 0 "middle button messages at the target"
end_spy

log "Shift option on: plain clicks pass through"
start_spy 1
point_at "CP Target"
xdotool click --repeat 3 --delay 300 2
sleep 1
expect_eq "$(requests 0)" 0 "requests"
expect_eq "$(target_saw MBUTTONUP)" 3 "releases at the target"
end_spy

for hostile in "12abc" "99999999999" "0x10" "$(inspect wait 'CP Target')"; do
    log "field 100 '$hostile': nothing is posted, the click passes"
    start_spy 0 "$hostile"
    before=$(target_saw MBUTTONUP)
    point_at "CP Target"
    middle_click
    sleep 0.8
    expect_eq "$(requests 0)" 0 "requests"
    expect_eq "$(target_saw MBUTTONUP)" $((before + 1)) "release at the target"
    end_spy
done
log "passed"
