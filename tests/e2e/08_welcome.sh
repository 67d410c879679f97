#!/usr/bin/env bash
# The first-run welcome dialog: refusal prompt, acceptance with and without
# "Don't show this window again", its documents, and a second copy meanwhile.
source "$(dirname "$0")/lib.sh"

box_field() { echo "$1" | sed -n "s/^$2=//p"; }

log "refusing: Esc asks, No keeps the dialog, Yes ends the program"
fresh_install
start_app
inspect visible "$WELCOME" 15000 >/dev/null || fail "no welcome dialog"
expect_eq "$(inspect checked "$WELCOME" 101)$(inspect checked "$WELCOME" 100)" 00 "boxes start cleared"
click_on "$WELCOME" 100                       # "Don't show" alone does not accept
xdotool key Escape
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no refusal prompt"
expect_contains "$box" "text=You must accept the terms and conditions of the ClickPocket EULA to use this software.\n\nDo you really want to quit ClickPocket?" "refusal text"
expect_eq "$(box_field "$box" focus)" "&No" "default button"
answer_box "ClickPocket 1.0" 7
sleep 0.5
inspect visible "$WELCOME" 100 >/dev/null || fail "No closed the dialog"
expect_eq "$(inspect checked "$WELCOME" 101)$(inspect checked "$WELCOME" 100)" 01 "boxes kept"
click_on "$WELCOME" 2                         # the close button asks the same
inspect msgbox "ClickPocket 1.0" 5000 >/dev/null || fail "no refusal prompt from button 2"
answer_box "ClickPocket 1.0" 6
expect_eq "$(app_exit_code)" 0 "exit code after refusal"
[ ! -e "$INSTALL/welcome.dat" ] || fail "welcome.dat written on refusal"
if inspect wait "ClickPocket 1.0" 100 >/dev/null || inspect wait cp_dn475dc_0 10 >/dev/null; then
    fail "a program window was left"; fi
expect_eq "$(run_value)" "" "Run value after refusal"

log "accepting without Don't show: the dialog and the note come back"
fresh_install
start_app
accept_welcome
inspect wait cp_dn475dc_1 15000 >/dev/null || fail "start-up did not go on"
[ ! -e "$INSTALL/welcome.dat" ] || fail "welcome.dat written"
exit_app
echo "edited" >"$INSTALL/My ClickPocket/Info.txt"
start_app
inspect visible "$WELCOME" 15000 >/dev/null || fail "no welcome dialog the second time"
expect_eq "$(stat -c %s "$INSTALL/My ClickPocket/Info.txt")" 550 "Info.txt rewritten"

log "a second copy while the dialog is open brings it forward and creates nothing"
other="$CP_BUILD_DIR/e2e/$SCENARIO-other"
rm -rf "$other"; mkdir -p "$other"; cp "$CP_DIST_DIR"/* "$other"/
expect_eq "$(run_app_to_end "$other")" 0 "second copy's exit code"
[ ! -e "$other/My ClickPocket" ] || fail "the second copy prepared a workspace"
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$WELCOME" "foreground"
rm -rf "$other"

log "the manual and the licence buttons"
rm "$INSTALL/readme.txt"
click_on "$WELCOME" 9
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no missing-manual warning"
expect_contains "$box" "text=File:\n\n$(winpath "$INSTALL/readme.txt")\n\ncannot be found." "manual warning"
expect_eq "$(box_field "$box" owner)" "$WELCOME" "warning owner"
answer_box "ClickPocket 1.0" 1
sleep 0.3
inspect visible "$WELCOME" 100 >/dev/null || fail "the dialog closed after the warning"
rm "$INSTALL/license.txt"
click_on "$WELCOME" 300
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no missing-licence error"
expect_contains "$box" "text=The End User License Agreement file:\n\n" "licence error"
expect_contains "$box" "\n\nClickPocket will terminate!" "licence error end"
answer_box "ClickPocket 1.0" 1
expect_eq "$(app_exit_code)" 0 "exit code after the licence error"
inspect gone "$WELCOME" 2000 >/dev/null || fail "the dialog stayed"

log "both ticked on a read-only install folder: 58R4TH once, then start-up goes on"
fresh_install
make_install_read_only_but_workspace
start_app
accept_welcome --dont-show
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no flag-file error"
expect_contains "$box" "[Error 58R4TH]" "flag-file error"
answer_box "ClickPocket 1.0" 1
inspect wait cp_dn475dc_1 15000 >/dev/null || fail "start-up did not go on"
if inspect msgbox "ClickPocket 1.0" 500 >/dev/null; then fail "a second message"; fi
[ ! -e "$INSTALL/welcome.dat" ] || fail "welcome.dat on a read-only folder"
log "passed"
