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

bash "$top/tests/env/start.sh" "$env_file" run >/dev/null
trap 'pkill -f "$install" 2>/dev/null; pkill -f notepad 2>/dev/null; pgrep -af "explorer\\.exe" | grep -v /desktop | cut -d" " -f1 | xargs -r kill 2>/dev/null; bash "$top/tests/env/stop.sh" "$env_file" run; true' EXIT
source "$top/tests/env/wine-env.sh" "$env_file" run
inspect() { "$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" "$@" | tr -d '\r'; }
click_at_control() {
    local x y
    read -r x y < <(inspect "$@")
    xdotool mousemove "$x" "$y"; sleep 0.2; xdotool click 1; sleep 0.5
}

( cd "$install" && "$CP_WINE" "$install/ClickPocket.exe" >/dev/null 2>&1 & )
# A first start shows the welcome dialog: accept the agreement and close it.
for _ in $(seq 100); do
    inspect wait cp_dn475dc_1 10 >/dev/null && break
    if inspect visible "Welcome to ClickPocket !" 10 >/dev/null; then
        sleep 0.5
        mkdir -p "$top/build/screenshots"
        import -display "$DISPLAY" -window root "$top/build/screenshots/welcome.png"
        click_at_control center "Welcome to ClickPocket !" 101
        click_at_control center "Welcome to ClickPocket !" 2
    fi
    sleep 0.1
done
inspect wait cp_dn475dc_1 10000 >/dev/null || { echo "ClickPocket did not start" >&2; exit 1; }
mkdir -p "$top/build/screenshots"
# A middle click in an ordinary program (Wine's Notepad) opens the folder...
( "$CP_WINE" notepad >/dev/null 2>&1 & )
inspect visible "Untitled - Notepad" 10000 >/dev/null
read -r x y < <(inspect center "Untitled - Notepad")
xdotool mousemove "$x" "$y"; sleep 0.3; xdotool click 2
inspect visible "My ClickPocket" 10000 >/dev/null && sleep 1
import -display "$DISPLAY" -window root "$top/build/screenshots/folder.png"
# ...and Left Ctrl + middle click shows the control window.
xdotool mousemove "$x" "$y"; sleep 0.2
xdotool keydown Control_L; sleep 0.1; xdotool click 2; sleep 0.1; xdotool keyup Control_L
inspect visible "ClickPocket 1.0" 5000 >/dev/null || { echo "the control window did not show" >&2; exit 1; }
sleep 0.8
shot="$top/build/screenshots/run.png"
import -display "$DISPLAY" -window root "$shot"
inspect post "ClickPocket 1.0" close 0 0 >/dev/null
read -r x y < <(inspect boxcenter "Your attention please!" 6)
xdotool mousemove "$x" "$y"; sleep 0.2; xdotool click 1
inspect gone "ClickPocket 1.0" 5000 >/dev/null || true
echo "ClickPocket ran on a virtual display (no \$DISPLAY here): a middle click in Notepad"
echo "opened \"My ClickPocket\" (build/screenshots/folder.png), Left Ctrl + middle click"
echo "showed the control window, and Exit > Yes ended it."
echo "Screenshot: $shot"
