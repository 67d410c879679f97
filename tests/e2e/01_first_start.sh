#!/usr/bin/env bash
# A first start prepares the workspace, creates the hidden topmost control window
# and registers the program to start with Windows for this user, taking away a
# machine-wide value that names it; from a folder named in any language too;
# with welcome.dat present, the note is left alone.
source "$(dirname "$0")/lib.sh"

fresh_install
exe=$(winpath "$INSTALL/ClickPocket.exe")
for view in $MACHINE_VIEWS; do plant_machine_value "$exe" $view; done   # an earlier version's
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

log "Run value: the user's own; the machine's that named this program went from each view"
expect_eq "$(run_value)" "REG_SZ    \"$exe\"" "Run value"
for view in $MACHINE_VIEWS; do
    expect_eq "$(run_value "$RUN_KEY" $view)" "" "machine-wide Run value ($view-bit view) after a start"
done
# Exit takes away a machine-wide value naming this program, and leaves another copy's.
plant_machine_value "$exe" 32
other='"C:\Tools\ClickPocket\ClickPocket.exe"'
[ "$MACHINE_VIEWS" = 32 ] || plant_machine_value "$other" 64

log "Exit asked twice (two WM_CLOSE) gives one confirmation; Yes ends with 0 and removes the Run value"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null
inspect msgbox "Your attention please!" >/dev/null || fail "no exit confirmation"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null
sleep 1
expect_eq "$(inspect count "Your attention please!")" 1 "confirmations"
answer_box "Your attention please!" 6
expect_eq "$(app_exit_code)" 0 "exit code"
expect_eq "$(run_value)" "" "Run value after exit"
expect_eq "$(run_value "$RUN_KEY" 32)" "" "machine-wide Run value naming this program after exit"
[ "$MACHINE_VIEWS" = 32 ] || expect_eq "$(run_value "$RUN_KEY" 64)" "REG_SZ    $other" "another copy's machine-wide value"

log "the application manifest, read from the built program"
manifest="$CP_BUILD_DIR/e2e/$SCENARIO.manifest"
"$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" manifest "$(winpath "$INSTALL/ClickPocket.exe")" \
    "$(winpath "$manifest")" || fail "no manifest (RT_MANIFEST 1) in ClickPocket.exe"
cmp -s "$manifest" "$CP_SOURCE_DIR/res/clickpocket.manifest" || fail "the manifest differs from res/"
grep -q '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "$manifest" \
    || fail "manifest: execution level"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
          4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
          8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    grep -q "<supportedOS Id=\"{$os}\"/>" "$manifest" || fail "manifest: no supportedOS $os"
done
# Per-Monitor V2 where Windows has it (1703 and later), else aware of the scale
# of log-on; never "true/pm" (Per-Monitor V1, which scales neither frames nor
# dialogs), and no Common Controls 6 (the controls keep their look).
grep -q '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, System</dpiAwareness>' \
    "$manifest" || fail "manifest: no Per-Monitor V2 awareness"
grep -q '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>' \
    "$manifest" || fail "manifest: no system awareness for Windows before 10 1703"
if grep -qi -e 'Common-Controls' -e 'dependency' -e 'true/pm' -e 'PerMonitor<' "$manifest"; then
    fail "manifest: something that changes the look"
fi

log "an install folder named in any language, with a blank: every step finds it"
INSTALL="$CP_BUILD_DIR/e2e/资料 Café"       # Chinese is outside the code page Wine gives us
fresh_install
start_app
accept_welcome
inspect wait cp_dn475dc_1 15000 >/dev/null || fail "the relay never became ready"
expect_eq "$(stat -c %s "$INSTALL/My ClickPocket/Info.txt")" 550 "Info.txt in the folder"
# Read back as UTF-16: character for character, quoted (the path has a blank).
expect_eq "$(inspect runvalue HKCU)" "\"$(winpath "$INSTALL/ClickPocket.exe")\"" "Run value"
start_target
point_at "CP Target"
middle_click
inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window"
sleep 0.5
expect_eq "$(inspect focus | sed -n 's/^foreground=//p')" "My ClickPocket" "foreground"
inspect post "My ClickPocket" close 0 0 >/dev/null
show_control_window
click_on "$CONTROL" 101
inspect visible "license.txt - Notepad" 10000 >/dev/null || fail "license.txt not opened"
inspect endwindow "license.txt - Notepad"; sleep 0.3
show_control_window
click_on "$CONTROL" 500
[ -f "$INSTALL/shift.dat" ] || fail "no shift.dat in the folder"
inspect post "$CONTROL" close 0 0 >/dev/null
box=$(inspect msgbox "Your attention please!" 5000) || fail "no exit confirmation"
expect_contains "$box" "folder:\n\n$(winpath "$INSTALL")\n\nAre you sure" "the folder in the confirmation"
answer_box "Your attention please!" 6
expect_eq "$(app_exit_code)" 0 "exit code"
expect_eq "$(inspect runvalue HKCU)" "" "Run value after exit"
INSTALL="$CP_BUILD_DIR/e2e/$SCENARIO"

log "with welcome.dat the note is neither created nor changed"
expect_eq "$(stat -c %s "$INSTALL/welcome.dat")" 0 "welcome.dat size"
rm "$INSTALL/My ClickPocket/Info.txt"
start_ready
[ ! -e "$INSTALL/My ClickPocket/Info.txt" ] || fail "Info.txt was recreated"
echo "my notes" >"$INSTALL/My ClickPocket/Info.txt"
end_app
start_ready
expect_eq "$(cat "$INSTALL/My ClickPocket/Info.txt")" "my notes" "Info.txt kept"
log "passed"
