#!/usr/bin/env bash
# The control window's commands, used with real keys and clicks: Enter, Escape
# and Tab, the Shift option checkbox, License and Help, and Exit.
source "$(dirname "$0")/lib.sh"

box_field() { echo "$1" | sed -n "s/^$2=//p"; }
focused() { inspect focus | sed -n 's/^focus=//p'; }

fresh_install --welcomed
start_ready
start_target

log "Enter on Hide hides; Escape does nothing"
show_control_window
xdotool key Escape; sleep 0.5
expect_eq "$(field 'ClickPocket 1.0' visible)" 1 "visible after Escape"
xdotool key Return; sleep 0.5
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "visible after Enter on Hide"

log "Tab walks the controls in template order, Shift+Tab goes back"
show_control_window
order=""
for _ in 1 2 3 4 5 6 7 8; do xdotool key Tab; sleep 0.15; order="$order $(focused)"; done
expect_eq "$order" " 500 106 100 101 102 103 104 105" "tab order from Hide"
xdotool key shift+Tab; sleep 0.15
expect_eq "$(focused)" 104 "Shift+Tab"

log "the Shift option checkbox: a click stores it, Enter re-applies it"
click_on "ClickPocket 1.0" 500
expect_eq "$(inspect checked 'ClickPocket 1.0' 500)" 1 "checked"
[ -f "$INSTALL/shift.dat" ] || fail "no shift.dat"
expect_eq "$(inspect text cp_dn475dc_1 102)" 1 "field 102"
xdotool key Return; sleep 0.5                        # the focus is on the checkbox
expect_eq "$(inspect checked 'ClickPocket 1.0' 500)" 1 "still checked after Enter"
[ -f "$INSTALL/shift.dat" ] || fail "Enter removed shift.dat"
click_on "ClickPocket 1.0" 500
[ ! -e "$INSTALL/shift.dat" ] || fail "shift.dat left"
expect_eq "$(inspect text cp_dn475dc_1 102)" 0 "field 102 off"

log "License and Help open the documents, or warn when they are missing"
click_on "ClickPocket 1.0" 101
inspect visible "license.txt - Notepad" 10000 >/dev/null || fail "license.txt not opened"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "hidden after License"
inspect endwindow "license.txt - Notepad"; sleep 0.3
show_control_window
click_on "ClickPocket 1.0" 102
inspect visible "readme.txt - Notepad" 10000 >/dev/null || fail "readme.txt not opened"
inspect endwindow "readme.txt - Notepad"; sleep 0.3
rm "$INSTALL/readme.txt"
show_control_window
click_on "ClickPocket 1.0" 102
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no warning"
expect_contains "$box" "text=File:\n\n$(winpath "$INSTALL/readme.txt")\n\ncannot be found. Please reinstall software or visit:\nhttp://www.corvellan.example/clickpocket/" "warning"
answer_box "ClickPocket 1.0" 1
# (Wine shows a message box's hidden owner again, so the window is looked at
# only after the warning has gone.)
sleep 0.3

log "About and the contest button hide the window and open their dialogs"
show_control_window
click_on "ClickPocket 1.0" 103
inspect visible "About ClickPocket" 5000 >/dev/null || fail "no About dialog"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "hidden after About"
inspect post "About ClickPocket" close 0 0 >/dev/null
inspect gone "About ClickPocket" 5000 >/dev/null || fail "About did not close"
show_control_window
click_on "ClickPocket 1.0" 106
CONTEST="* * * The Tidelocker Pro Cipher Contest 2007 * * *"
inspect visible "$CONTEST" 5000 >/dev/null || fail "no contest dialog"
expect_eq "$(field 'ClickPocket 1.0' visible)" 0 "hidden after the contest button"
inspect post "$CONTEST" close 0 0 >/dev/null
inspect gone "$CONTEST" 5000 >/dev/null || fail "the contest dialog did not close"

log "Exit answered No keeps everything, the focus on Hide"
show_control_window
click_on "ClickPocket 1.0" 104
box=$(inspect msgbox "Your attention please!" 5000) || fail "no confirmation"
expect_contains "$box" "folder:\n\n$(winpath "$INSTALL")\n\nAre you sure" "confirmation names the folder"
expect_eq "$(box_field "$box" owner)" "ClickPocket 1.0" "owner"
answer_box "Your attention please!" 7
sleep 0.3
expect_eq "$(focused)" 105 "focus after No"
inspect wait cp_dn475dc_1 10 >/dev/null || fail "relay gone after No"
[ -n "$(run_value)" ] || fail "Run value gone after No"
log "Exit answered Yes"
click_on "ClickPocket 1.0" 104
answer_box "Your attention please!" 6
expect_eq "$(app_exit_code)" 0 "exit code"
inspect gone "ClickPocket 1.0" 2000 >/dev/null || fail "control window left"
inspect gone cp_dn475dc_1 100 >/dev/null || fail "relay left"
expect_eq "$(run_value)" "" "Run value"

log "switching the option on with a read-only install folder"
fresh_install --welcomed
make_install_read_only_but_workspace
start_ready
start_target
show_control_window
click_on "ClickPocket 1.0" 500
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no flag-file error"
expect_contains "$box" "[Error 68R4TH]" "flag-file error"
# The box takes the focus from the checkbox, whose focus notice applies the
# option again: still one box for the one click.
sleep 1
expect_eq "$(inspect count "ClickPocket 1.0")" 2 "the control window and one error box"
answer_box "ClickPocket 1.0" 1
sleep 1
expect_eq "$(inspect count "ClickPocket 1.0")" 1 "windows once the box was answered"
expect_eq "$(inspect text cp_dn475dc_1 102)" 1 "field 102"
[ ! -e "$INSTALL/shift.dat" ] || fail "shift.dat on a read-only folder"
end_app
unmount_install

log "installed at the root of a drive, Exit names the drive alone"
fresh_install --welcomed
ln -sfn "$INSTALL" "$WINEPREFIX/dosdevices/q:"
start_exe 'Q:\ClickPocket.exe' "$APP_PID_FILE" "$CP_BUILD_DIR/e2e/$SCENARIO.exit"
inspect wait cp_dn475dc_1 15000 >/dev/null || fail "no start from Q:"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null
box=$(inspect msgbox "Your attention please!" 5000) || fail "no confirmation"
expect_contains "$box" "folder:\n\nQ:\n\nAre you sure" "drive root"
answer_box "Your attention please!" 6
expect_eq "$(app_exit_code)" 0 "exit code"
rm -f "$WINEPREFIX/dosdevices/q:"
log "passed"
