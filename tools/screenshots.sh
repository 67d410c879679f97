#!/usr/bin/env bash
# make screenshots: renders every window of ClickPocket under Xvfb + Wine, driven
# as a user drives it, into docs/screenshots/ (one PNG per window, cut to the
# window's frame): at 100 %, then the same at 125 % and 150 % (<name>-125.png and
# <name>-150.png, in the "dpi" layer's prefix with the display at 120 and 144 DPI).
# Usage: tools/screenshots.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
out="$top/docs/screenshots"
env_file="$build/test-env.sh"
unset CP_DISPLAY_OVERRIDE
export CP_SESSION=screenshots    # a display of its own, beside any test run
bash "$top/tests/env/start.sh" "$env_file" e2e dpi >/dev/null
# The scenarios' helpers: a fresh install folder, real X input, cplook.
set -- "$env_file"
source "$top/tests/e2e/lib.sh"
trap 'cleanup; bash "$top/tests/env/stop.sh" "$env_file" e2e dpi' EXIT
# Installed where a user would put it, so the Exit confirmation names C:\ClickPocket.
INSTALL="$WINEPREFIX/drive_c/ClickPocket"
mkdir -p "$out"

# Saves the screen area of a top-level window (found by title) as <name><suffix>.png.
shoot() {
    local name=$1$suffix title=$2 rect l t r b
    sleep 0.8
    rect=$(field "$title" rect)
    [ -n "$rect" ] || fail "no window '$title' to photograph"
    IFS=, read -r l t r b <<<"$rect"
    import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage \
        "$out/$name.png"
    echo "docs/screenshots/$name.png: $title"
}

# Every window once, at the display's scale.
shoot_all() {
    fresh_install
    start_app
    inspect visible "$WELCOME" 15000 >/dev/null || fail "no welcome dialog"
    shoot welcome "$WELCOME"
    accept_welcome
    inspect wait cp_dn475dc_1 15000 >/dev/null || fail "the relay never became ready"

    # Left Ctrl + middle click, made in another program.
    start_target
    show_control_window
    # Shown with the focus on Hide; Tab moves it to the checkbox, leaving every
    # button at rest.
    shoot control-focused "ClickPocket 1.0"
    xdotool key Tab
    shoot control "ClickPocket 1.0"

    click_on "ClickPocket 1.0" 103
    inspect visible "About ClickPocket" 5000 >/dev/null || fail "no About dialog"
    shoot about "About ClickPocket"
    inspect post "About ClickPocket" close 0 0 >/dev/null
    inspect gone "About ClickPocket" 5000 >/dev/null || fail "About did not close"

    CONTEST="* * * The Tidelocker Pro Cipher Contest 2007 * * *"
    show_control_window
    click_on "ClickPocket 1.0" 106
    inspect visible "$CONTEST" 5000 >/dev/null || fail "no contest dialog"
    shoot contest "$CONTEST"
    inspect post "$CONTEST" close 0 0 >/dev/null
    inspect gone "$CONTEST" 5000 >/dev/null || fail "the contest dialog did not close"

    show_control_window
    click_on "ClickPocket 1.0" 104
    inspect msgbox "Your attention please!" >/dev/null || fail "no exit confirmation"
    shoot exit "Your attention please!"
    answer_box "Your attention please!" 6
    expect_eq "$(app_exit_code)" 0 "exit code"
}

suffix=
shoot_all
cleanup
use_dpi_prefix
INSTALL="$WINEPREFIX/drive_c/ClickPocket"
for percent in 125 150; do
    suffix=-$percent
    set_display_dpi $((percent * 96 / 100))
    shoot_all
    cleanup
done
