#!/usr/bin/env bash
# The shell shows the folder window late: ClickPocket looks for it from its
# message loop, so its thread, which the hook runs through for programs of the
# other bitness, answers every message meanwhile. A window 2.5 s late is raised;
# one that never comes is given up after about 5 s, silently. File Explorer's
# window, titled in any form Windows 11 gives it, is found through the shell's
# list of folder windows; a copy of the folder, or another program titled alike,
# is not, nor is the folder of another copy of the program, titled alike. A show
# request or Exit during the search ends it. Requests leave nothing behind. The
# install folder is named outside Wine's code page: the shell's list is asked in
# UTF-16.
source "$(dirname "$0")/lib.sh"
INSTALL="$CP_BUILD_DIR/e2e/资料 Café 13"
fresh_install --welcomed
late_folder_action 2500
start_ready
start_target

log "a folder window shown 2.5 s late is raised; the thread answers throughout"
rm -f "$FOLDER_LOG"
out=$(click_and_ping 8000)
expect_answered_within_bound "$out" "late window"
expect_raised_after_showing "$out" "late window"
expect_eq "$(grep -c '^SHOWN' "$FOLDER_LOG")" 1 "stand-in windows shown"
expect_contains "$(cat "$FOLDER_LOG")" "OPENED $(winpath "$INSTALL/My ClickPocket")" "folder handed to the shell"
expect_eq "$(field "$CONTROL" visible)" 0 "control window hidden"
expect_eq "$(target_saw MBUTTON)" 0 "middle button messages the target received"
inspect post "My ClickPocket" close 0 0 >/dev/null; inspect gone "My ClickPocket" 3000 >/dev/null

log "a folder window that comes after the search is left where it is"
late_folder_action 6500
inspect foreground "CP Target" >/dev/null
out=$(click_and_ping 7500)
expect_answered_within_bound "$out" "window after the search"
expect_eq "$(ping_field "$out" raised_ms)" -1 "raised"
inspect visible "My ClickPocket" 5000 >/dev/null || fail "the stand-in never showed"
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "CP Target" "foreground"
if inspect msgbox "$CONTROL" 200 >/dev/null; then fail "a message after giving up"; fi
inspect post "My ClickPocket" close 0 0 >/dev/null; inspect gone "My ClickPocket" 3000 >/dev/null

log "Explorer listed for the folder, titled with its tabs, is raised over the control window; a copy, shown first, is not"
COPY_LOG="$CP_BUILD_DIR/e2e/$SCENARIO.copy.log"
mkdir -p "$INSTALL/My ClickPocket - Copy"
rm -f "$COPY_LOG" "$FOLDER_LOG"
launch "$CP_TOOLS_DIR/cpclicktarget.exe" folder 0 "$(winpath "$COPY_LOG")" \
    "$(winpath "$INSTALL/My ClickPocket - Copy")" CabinetWClass "My ClickPocket - Copy - File Explorer" listed
inspect visible "My ClickPocket - Copy - File Explorer" 10000 >/dev/null || fail "the copy's window never showed"
TABS="My ClickPocket and 2 more tabs - File Explorer"
late_folder_action 1500 CabinetWClass "$TABS" listed
show_control_window
copy_activations=$(grep -c ACTIVATED "$COPY_LOG" || true)
point_at "CP Target"
middle_click
inspect visible "$TABS" 5000 >/dev/null || fail "the stand-in never showed"
sleep 0.7
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$TABS" "foreground"
expect_eq "$(field "$CONTROL" visible)" 0 "control window hidden"
expect_eq "$(grep -c ACTIVATED "$COPY_LOG" || true)" "$copy_activations" "activations of the copy's window"
expect_eq "$(cat "$FOLDER_LOG" "$COPY_LOG" | grep -c 'NOT LISTED' || true)" 0 "windows the shell's list refused"
inspect post "$TABS" close 0 0 >/dev/null
inspect post "My ClickPocket - Copy - File Explorer" close 0 0 >/dev/null
inspect gone "$TABS" 3000 >/dev/null

log "another copy's 'My ClickPocket', listed for its own folder and up first, is never raised; ours, shown 1.5 s late, is"
OTHER_INSTALL="$CP_BUILD_DIR/e2e/13 another copy"
OTHER_LOG="$CP_BUILD_DIR/e2e/$SCENARIO.another.log"
mkdir -p "$OTHER_INSTALL/My ClickPocket"
rm -f "$OTHER_LOG" "$FOLDER_LOG"
launch "$CP_TOOLS_DIR/cpclicktarget.exe" folder 0 "$(winpath "$OTHER_LOG")" \
    "$(winpath "$OTHER_INSTALL/My ClickPocket")" CabinetWClass "My ClickPocket" listed
inspect visible "My ClickPocket" 10000 >/dev/null || fail "the other copy's window never showed"
late_folder_action 1500 CabinetWClass "My ClickPocket" listed
inspect foreground "CP Target" >/dev/null
other_activations=$(grep -c ACTIVATED "$OTHER_LOG" || true)
point_at "CP Target"
middle_click
for _ in $(seq 50); do grep -q ACTIVATED "$FOLDER_LOG" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
expect_eq "$(grep -c ACTIVATED "$FOLDER_LOG" || true)" 1 "activations of our folder's window"
expect_eq "$(grep -c ACTIVATED "$OTHER_LOG" || true)" "$other_activations" "activations of the other copy's"
expect_eq "$(cat "$FOLDER_LOG" "$OTHER_LOG" | grep -c 'NOT LISTED' || true)" 0 "windows the shell's list refused"
for _ in 1 2; do inspect post "My ClickPocket" close 0 0 >/dev/null; sleep 0.3; done
inspect gone "My ClickPocket" 3000 >/dev/null || fail "a folder window stayed"

log "twelve requests, each found through the shell's list, leave nothing behind"
late_folder_action 0 CabinetWClass "My ClickPocket" listed
expect_requests_leave_nothing "the list answering"

log "another program's 'My ClickPocket - notes - Editor' is never taken for the folder"
late_folder_action -1
launch "$CP_TOOLS_DIR/cpclicktarget.exe" "My ClickPocket - notes - Editor" "$(winpath "$CP_BUILD_DIR/e2e/$SCENARIO.editor.log")" right
inspect visible "My ClickPocket - notes - Editor" 10000 >/dev/null || fail "the editor did not start"
inspect foreground "CP Target" >/dev/null
show_control_window
point_at "CP Target"
middle_click
sleep 1.5
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$CONTROL" "foreground"
expect_eq "$(field "$CONTROL" visible)" 1 "control window"
end_pid "$LAUNCHED"
click_on "$CONTROL" 105

log "Left Ctrl + middle click during a search shows the control window for good"
late_folder_action 2500
inspect foreground "CP Target" >/dev/null
point_at "CP Target"
middle_click
sleep 0.5
ctrl_middle_click
inspect visible "$CONTROL" 3000 >/dev/null || fail "control window not shown"
inspect visible "My ClickPocket" 4000 >/dev/null || fail "the stand-in never showed"
sleep 5
expect_eq "$(field "$CONTROL" visible)" 1 "control window after the search would have ended"
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "$CONTROL" "foreground"
inspect post "My ClickPocket" close 0 0 >/dev/null; inspect gone "My ClickPocket" 3000 >/dev/null

log "Exit during a search ends the program with 0"
click_on "$CONTROL" 105
point_at "CP Target"
middle_click
sleep 0.3
exit_app
inspect gone "$CONTROL" 2000 >/dev/null || fail "control window left"
log "passed"
