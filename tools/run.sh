#!/usr/bin/env bash
# make run: starts ClickPocket under Wine. On a display ($DISPLAY) it runs there
# until you exit it. Without one it starts a virtual display, uses the program as
# a user would (Left Ctrl + middle click shows the control window), saves a
# screenshot under build/screenshots/, exits the program and says where the
# picture is.  Usage: tools/run.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
env_file="$build/test-env.sh"
install="$top/build/run"
mkdir -p "$install"
cp "$build/dist"/* "$install"/

if [ -n "${DISPLAY:-}" ]; then
    export CP_DISPLAY_OVERRIDE=$DISPLAY
    source "$top/tests/env/wine-env.sh" "$env_file" run
    source "$top/tests/env/prefix.sh"
    ensure_prefix
    echo "ClickPocket runs from $install on $DISPLAY: middle click anywhere opens \"My ClickPocket\";"
    echo "Left Ctrl + middle click shows its control window (Exit ends it)."
    cd "$install" && exec "$CP_WINE" "$install/ClickPocket.exe"
fi

# One line on what did not happen, then the clean-up below.
fail() { echo "make run: $*" >&2; exit 1; }
# The clean-up ends only what this script started: ClickPocket and Notepad by
# their process ids; then tests/env/stop.sh ends the wineserver of this run's own
# Wine prefix (<build>/wine-run), and with it whatever Wine started there
# (Explorer, the desktop), and the virtual display if start.sh started it.
pids=()
cleanup() {
    set +e
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    bash "$top/tests/env/stop.sh" "$env_file" run
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
}
trap 'rc=$?; cleanup; exit $rc' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
export CP_SESSION=run    # a display of its own, beside any test run
bash "$top/tests/env/start.sh" "$env_file" run >/dev/null || fail "the virtual display or the Wine prefix did not start"
source "$top/tests/env/wine-env.sh" "$env_file" run
inspect() { "$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" "$@" | tr -d '\r'; }
click_at_control() {
    local x y
    read -r x y < <(inspect "$@") || fail "no control to click: $*"
    xdotool mousemove "$x" "$y"; sleep 0.2; xdotool click 1; sleep 0.5
}

(cd "$install" && exec "$CP_WINE" "$install/ClickPocket.exe") >/dev/null 2>&1 &
cp_pid=$!; pids+=("$cp_pid")
# A first start shows the welcome dialog: accept the agreement and close it.
for _ in $(seq 100); do
    inspect wait cp_dn475dc_1 10 >/dev/null && break
    kill -0 "$cp_pid" 2>/dev/null || fail "ClickPocket.exe ended before its relay window appeared"
    if inspect visible "Welcome to ClickPocket !" 10 >/dev/null; then
        sleep 0.5
        mkdir -p "$top/build/screenshots"
        import -display "$DISPLAY" -window root "$top/build/screenshots/welcome.png"
        click_at_control center "Welcome to ClickPocket !" 101
        click_at_control center "Welcome to ClickPocket !" 2
    fi
    sleep 0.1
done
inspect wait cp_dn475dc_1 10000 >/dev/null || fail "ClickPocket did not start: its relay window never appeared"
mkdir -p "$top/build/screenshots"
# A middle click in an ordinary program (Wine's Notepad) opens the folder...
# (Started by its path, so that $! is Notepad itself and not a launcher.)
"$CP_WINE" "$WINEPREFIX/drive_c/windows/system32/notepad.exe" >/dev/null 2>&1 &
pids+=($!)
inspect visible "Untitled - Notepad" 10000 >/dev/null || fail "Notepad did not open"
read -r x y < <(inspect center "Untitled - Notepad") || fail "Notepad's window could not be found"
xdotool mousemove "$x" "$y"; sleep 0.3; xdotool click 2
inspect visible "My ClickPocket" 10000 >/dev/null || fail "a middle click in Notepad did not open \"My ClickPocket\""
sleep 1
import -display "$DISPLAY" -window root "$top/build/screenshots/folder.png"
# ...and Left Ctrl + middle click shows the control window.
xdotool mousemove "$x" "$y"; sleep 0.2
xdotool keydown Control_L; sleep 0.1; xdotool click 2; sleep 0.1; xdotool keyup Control_L
inspect visible "ClickPocket 1.0" 5000 >/dev/null || fail "Left Ctrl + middle click did not show the control window"
sleep 0.8
shot="$top/build/screenshots/run.png"
import -display "$DISPLAY" -window root "$shot"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null || fail "Exit could not be sent to the control window"
read -r x y < <(inspect boxcenter "Your attention please!" 6) || fail "Exit did not ask \"Your attention please!\""
xdotool mousemove "$x" "$y"; sleep 0.2; xdotool click 1
for _ in $(seq 100); do
    kill -0 "$cp_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$cp_pid" 2>/dev/null && fail "Exit > Yes did not end ClickPocket"
echo "ClickPocket ran on a virtual display (no \$DISPLAY here): a middle click in Notepad"
echo "opened \"My ClickPocket\" (build/screenshots/folder.png), Left Ctrl + middle click"
echo "showed the control window, and Exit > Yes ended it."
echo "Screenshot: $shot"
