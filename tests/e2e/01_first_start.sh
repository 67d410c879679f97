#!/usr/bin/env bash
# A first start prepares the workspace, creates the hidden topmost control window
# and registers the program to start with Windows; with welcome.dat present, the
# note is left alone.
source "$(dirname "$0")/lib.sh"

fresh_install
start_app
log "the welcome dialog, with the focus on the manual button"
inspect visible "$WELCOME" 15000 >/dev/null || fail "no welcome dialog"
expect_contains "$(inspect focus)" "focus=9" "welcome focus"
accept_welcome --dont-show
inspect wait cp_dn475dc_1 15000 >/dev/null || fail "the relay never became ready"
log "workspace folder and its note"
[ -d "$INSTALL/My ClickPocket" ] || fail "no workspace folder"
expect_eq "$(stat -c %s "$INSTALL/My ClickPocket/Info.txt")" 550 "Info.txt size"
expect_eq "$(head -c 10 "$INSTALL/My ClickPocket/Info.txt" | od -An -c | tr -s ' ')" " W e l c o m e ! \r \n" "Info.txt start"
expect_eq "$(tail -c 25 "$INSTALL/My ClickPocket/Info.txt")" "(Corvellan International)" "Info.txt end"
expect_eq "$(ls -A "$INSTALL/My ClickPocket")" "Info.txt" "workspace contents (no probe file)"

log "control window: hidden, topmost, tool window"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "visible"
expect_eq "$(field 'ClickPocket 1.0' topmost)" 1 "topmost"
expect_eq "$(field 'ClickPocket 1.0' toolwindow)" 1 "tool window"
expect_eq "$(field 'ClickPocket 1.0' class)" clickpocket "class"
expect_eq "$(field cp_dn475dc_1 owner)" "ClickPocket 1.0" "relay owner"
expect_eq "$(field cp_dn475dc_1 visible)" 0 "relay visible"

log "Run value"
expect_eq "$(run_value)" "REG_SZ    $(winpath "$INSTALL/ClickPocket.exe")" "Run value"

log "Exit with Yes ends with 0 and removes the Run value"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null
inspect msgbox "Your attention please!" >/dev/null || fail "no exit confirmation"
answer_box "Your attention please!" 6
expect_eq "$(app_exit_code)" 0 "exit code"
expect_eq "$(run_value)" "" "Run value after exit"

log "with welcome.dat the note is neither created nor changed"
expect_eq "$(stat -c %s "$INSTALL/welcome.dat")" 0 "welcome.dat size"
rm "$INSTALL/My ClickPocket/Info.txt"
start_ready
[ ! -e "$INSTALL/My ClickPocket/Info.txt" ] || fail "Info.txt was recreated"
echo "my notes" >"$INSTALL/My ClickPocket/Info.txt"
pkill -f "$INSTALL/ClickPocket.exe"; sleep 0.5
start_ready
expect_eq "$(cat "$INSTALL/My ClickPocket/Info.txt")" "my notes" "Info.txt kept"
log "passed"
