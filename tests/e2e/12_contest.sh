#!/usr/bin/env bash
# The contest dialog: no owner, the control window stays usable, one dialog at
# a time (brought back, restored), the box picture opens the contest page once
# and nothing else does, Esc and Enter do nothing, the close box closes it and
# Exit closes it too; a hundred openings leave no GDI object behind.
source "$(dirname "$0")/lib.sh"

CONTEST="* * * The Tidelocker Pro Cipher Contest 2007 * * *"
PAGE="http://www.corvellan.example/contest2007/"
fresh_install --welcomed
catch_web_pages
start_ready
start_target

log "the command opens the dialog with no owner"
show_control_window
click_on "$CONTROL" 106
inspect visible "$CONTEST" 5000 >/dev/null || fail "no contest dialog"
expect_eq "$(field "$CONTEST" owner)" "" "owner"
expect_eq "$(field "$CONTROL" visible)" 0 "control window visible"

log "called up again, the control window works; its contest button brings the open dialog back"
show_control_window
expect_eq "$(field "$CONTROL" enabled)" 1 "control window enabled"
click_on "$CONTROL" 106
expect_eq "$(inspect count "$CONTEST")" 1 "contest dialogs"
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$CONTEST" "foreground"
inspect post "$CONTEST" 274 0xF020 0 >/dev/null      # minimised from its system menu
sleep 0.5
expect_eq "$(field "$CONTEST" minimized)" 1 "minimised"
show_control_window
click_on "$CONTROL" 106
sleep 0.3
expect_eq "$(field "$CONTEST" minimized)" 0 "restored"
expect_eq "$(inspect count "$CONTEST")" 1 "contest dialogs"
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$CONTEST" "foreground after restoring"

log "a single click on the box picture opens the contest page once; other clicks do nothing"
click_on "$CONTEST" 1000
for _ in $(seq 50); do [ "$(pages_opened "$PAGE")" -ge 1 ] && break; sleep 0.1; done
for id in 100 102 105; do click_on "$CONTEST" $id; done
read -r l t r b < <(rect_of "$CONTEST")
xdotool mousemove $((r - 40)) $((b - 40)) click 1      # the logo's corner
xdotool mousemove $((l + 20)) $((b - 60)) click 1      # the background
sleep 2
expect_eq "$(pages_opened "$PAGE")" 1 "contest page openings"

log "Esc and Enter leave it open; the close box closes it; the command opens a new one"
expect_closed_only_by_close_box "$CONTEST"
show_control_window
click_on "$CONTROL" 106
inspect visible "$CONTEST" 5000 >/dev/null || fail "no new contest dialog"
inspect post "$CONTEST" close 0 0 >/dev/null
inspect gone "$CONTEST" 5000 >/dev/null || fail "contest did not close"

log "a hundred openings leave the GDI object count where it was"
expect_hundred_openings_flat contest

log "Exit while it is open closes it and ends the program with 0"
show_control_window
click_on "$CONTROL" 106
inspect visible "$CONTEST" 5000 >/dev/null || fail "no contest dialog"
exit_app
inspect gone "$CONTEST" 2000 >/dev/null || fail "contest left after Exit"
