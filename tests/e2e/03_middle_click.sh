#!/usr/bin/env bash
# A middle click over another program opens "My ClickPocket" in front, with the
# control window hidden, and the program under the cursor sees nothing of it;
# Left Ctrl + middle click shows the control window with the focus on Hide.
# Other programs' relays, topmost and made after ClickPocket's, get nothing.
# With the folder gone, clicks give one warning at a time. A ClickPocket that
# has stopped answering leaves the click to the program under the cursor.
source "$(dirname "$0")/lib.sh"

fresh_install --welcomed
start_ready
start_target

log "two other programs show ready relays naming their own windows, topmost"
# cpclicktarget from the test tools, and a ClickPocket.exe from a folder whose
# name begins as the install folder's does.
impostor_dir="${INSTALL}2"
rm -rf "$impostor_dir"; mkdir -p "$impostor_dir"
cp "$CP_TOOLS_DIR/cpclicktarget.exe" "$impostor_dir/ClickPocket.exe"
impostors=()
for program in "$CP_TOOLS_DIR/cpclicktarget.exe" "$impostor_dir/ClickPocket.exe"; do
    rm -f "$CP_BUILD_DIR/e2e/$SCENARIO.impostor${#impostors[@]}.log"
    launch "$program" relay - "$(winpath "$CP_BUILD_DIR/e2e/$SCENARIO.impostor${#impostors[@]}.log")" 0 - topmost
    impostors+=("$LAUNCHED")
    for _ in $(seq 100); do [ "$(inspect count cp_dn475dc_1)" = $((${#impostors[@]} + 1)) ] && break; sleep 0.1; done
done
expect_eq "$(inspect count cp_dn475dc_1)" 3 "ready relays"
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
for i in 0 1; do
    expect_eq "$(grep -c REQUEST "$CP_BUILD_DIR/e2e/$SCENARIO.impostor$i.log" || true)" 0 "requests to the other program $i"
    end_pid "${impostors[$i]}"
done
rm -rf "$impostor_dir"

log "with the folder gone, five middle clicks give one warning; Left Ctrl still works"
inspect post "My ClickPocket" close 0 0 >/dev/null; inspect gone "My ClickPocket" 3000 >/dev/null
mv "$INSTALL/My ClickPocket" "$INSTALL/Renamed"
point_at "CP Target"
for _ in 1 2 3 4 5; do middle_click; sleep 0.4; done
box=$(inspect msgbox "ClickPocket 1.0" 5000) || fail "no warning"
expect_contains "$box" "text=Failed to open folder" "warning"
sleep 1
expect_eq "$(inspect count "ClickPocket 1.0")" 2 "the control window and one warning"
# The warning belongs to the control window, which comes up disabled beneath it.
expect_eq "$(inspect info "ClickPocket 1.0" 105 | sed -n 's/^visible=//p')" 0 "control window before Left Ctrl"
point_at "CP Target"
ctrl_middle_click
sleep 0.5
expect_eq "$(inspect info "ClickPocket 1.0" 105 | sed -n 's/^visible=//p')" 1 "control window with the warning up"
answer_box "ClickPocket 1.0" 1
sleep 0.5
expect_eq "$(inspect count "ClickPocket 1.0")" 1 "windows once the warning was answered"
mv "$INSTALL/Renamed" "$INSTALL/My ClickPocket"

log "a stopped ClickPocket takes no click: the program under the cursor gets it whole"
app=$(cat "$APP_PID_FILE")
kill -STOP "$app"
inspect post "$CONTROL" 0 0 0 >/dev/null   # its thread no longer waits on its queue
sleep 5.5                                   # hung 5 s after it last read it, as on Windows
point_at "CP Target"
middle_click
sleep 0.5
kill -CONT "$app"
expect_eq "$(target_saw MBUTTONDOWN)" 1 "presses the target received"
expect_eq "$(target_saw MBUTTONUP)" 1 "releases the target received"
if inspect visible "My ClickPocket" 2000 >/dev/null; then fail "the folder opened for a click given up on"; fi
middle_click
inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window once it answers again"
expect_eq "$(target_saw MBUTTONDOWN)" 1 "presses the target received"
inspect post "My ClickPocket" close 0 0 >/dev/null
exit_app

# A second download is saved as "ClickPocket (2).exe"; a shortcut may start it by
# its 8.3 path. Either is still trusted, and the Run value names the long path.
# A program of another name beside the library is not: its clicks pass on.
for row in "ClickPocket (2).exe:short:1" "ClickPocket (2).exe:long:1" "Other.exe:long:0"; do
    IFS=: read -r name form opens <<<"$row"
    log "$name, started by its $form path: trusted ($opens)"
    fresh_install --welcomed
    mv "$INSTALL/ClickPocket.exe" "$INSTALL/$name"
    program=$(winpath "$INSTALL/$name")
    [ "$form" = short ] && program=$(inspect shortpath "$program")
    start_exe "$program" "$APP_PID_FILE" "$CP_BUILD_DIR/e2e/$SCENARIO.exit"
    inspect wait cp_dn475dc_1 15000 >/dev/null || fail "$name: the relay never became ready"
    expect_eq "$(run_value)" "REG_SZ    \"$(winpath "$INSTALL/$name")\"" "$name: Run value"
    start_target
    point_at "CP Target"
    middle_click
    if [ "$opens" = 1 ]; then
        inspect visible "My ClickPocket" 10000 >/dev/null || fail "$name: no folder window"
        expect_eq "$(target_saw MBUTTONDOWN)" 0 "$name: presses the target received"
        inspect post "My ClickPocket" close 0 0 >/dev/null; inspect gone "My ClickPocket" 3000 >/dev/null
    else
        sleep 1
        expect_eq "$(target_saw MBUTTONDOWN)" 1 "$name: presses the target received"
        if inspect visible "My ClickPocket" 1000 >/dev/null; then fail "$name: its folder opened"; fi
    fi
    exit_app
done

# The x86_64 tree hands over the program folder of the signed release (release.sign).
if [ -n "${CP_SIGNED_DIST:-}" ]; then
    log "the signed program folder: it gets ready, and a middle click opens the folder"
    for f in ClickPocket.exe ClickPocket.dll; do
        osslsigncode verify -CAfile "$CP_SIGNED_CA" -in "$CP_SIGNED_DIST/$f" >/dev/null || fail "$f is not signed"
    done
    PROGRAM=$CP_SIGNED_DIST fresh_install --welcomed
    start_ready
    start_target
    point_at "CP Target"
    middle_click
    inspect visible "My ClickPocket" 10000 >/dev/null || fail "no folder window from the signed program"
    exit_app
fi
log "passed"
