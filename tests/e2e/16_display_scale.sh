#!/usr/bin/env bash
# The program at 100 %, 150 % and 200 % (96, 144 and 192 DPI), in a prefix whose
# LogPixels is set before each start: Wine reads it when a program starts, tells
# it to the program and lays dialogs out with it, but stretches nothing. On the
# screen, each picture of the About and contest dialogs is its size times the
# scale, and at 200 % the About picture is drawn for that scale, not the 100 %
# picture with its pixels doubled. (Whether every text fits its control at these
# scales is measured in the Win32 layer: win32.dpi144, win32.dpi192.)
source "$(dirname "$0")/lib.sh"

ABOUT="About ClickPocket"
CONTEST="* * * The Tidelocker Pro Cipher Contest 2007 * * *"
use_dpi_prefix
scaled() { echo $(( ($1 * $2 + 48) / 96 )); }     # a size at 100 %, at a DPI
width_of() { echo "${1%%x*}"; }
height_of() { echo "$1" | sed 's/^[0-9]*x\([0-9]*\).*/\1/'; }

# The n-th picture of a dialog on the screen: its control takes the picture's
# size (the logo's keeps the size the dialog manager gives it, and centres the
# picture in it, whole), and what is drawn in it is a picture of that size: its
# ink, against the black ground, spans about as much.
expect_picture() {   # <shot> <title> <n> <width at 100 %> <height> <ink width at 100 %> <ink height> <what>
    local shot=$1 title=$2 n=$3 w h iw ih l t r b box
    w=$(scaled "$4" "$dpi") h=$(scaled "$5" "$dpi") iw=$(scaled "$6" "$dpi") ih=$(scaled "$7" "$dpi")
    read -r l t r b < <(inspect picture "$title" "$n") || fail "$8: no picture control"
    case $8 in
        *logo) [ $((r - l)) -ge "$w" ] && [ $((b - t)) -ge "$h" ] \
                   || fail "$8 at $dpi DPI: the ${w}x${h} picture is cut by its $((r - l))x$((b - t)) control" ;;
        *) expect_eq "$((r - l))x$((b - t))" "${w}x${h}" "$8 at $dpi DPI: control" ;;
    esac
    box=$(ink_box "$shot" "$l" "$t" "$r" "$b")
    log "$8 at $dpi DPI: control $((r - l))x$((b - t)), ink $box"
    near "$(width_of "$box")" "$iw" && near "$(height_of "$box")" "$ih" \
        || fail "$8 at $dpi DPI: drawn ${box%%+*}, not about ${iw}x${ih}"
}
near() { [ $(( $1 - $2 )) -le 3 ] && [ $(( $2 - $1 )) -le 3 ]; }
open_dialog() {     # <command> <title>: from the shown control window
    click_on "$CONTROL" "$1"
    inspect visible "$2" 5000 >/dev/null || fail "no '$2' at $dpi DPI"
}
close_dialog() {
    inspect post "$1" close 0 0 >/dev/null
    inspect gone "$1" 5000 >/dev/null || fail "'$1' did not close"
}

for dpi in 96 144 192; do
    log "at $dpi DPI"
    set_display_dpi "$dpi"
    fresh_install --welcomed
    start_ready
    start_target
    show_control_window

    open_dialog 103 "$ABOUT"
    snap "about-$dpi"
    expect_picture "about-$dpi" "$ABOUT" 1 100 100 100 92 "About picture"
    expect_picture "about-$dpi" "$ABOUT" 2 62 46 60 44 "About logo"
    if [ "$dpi" = 192 ]; then
        # Doubled pixels would come back unchanged from halving and doubling.
        read -r l t r b < <(inspect picture "$ABOUT" 1)
        crop "about-$dpi" "$l" "$t" "$r" "$b" "$SHOTS/about-picture.png"
        convert "$SHOTS/about-picture.png" -sample 50% -sample 200% "$SHOTS/about-halved.png"
        convert "$CP_SOURCE_DIR/res/art/about.bmp" -sample 200% "$SHOTS/about-doubled.png"
        for other in halved doubled; do
            differ=$(compare -metric AE "$SHOTS/about-picture.png" "$SHOTS/about-$other.png" null: 2>&1 || true)
            log "About picture at 200 % against the $other one: $differ of 40000 pixels differ"
            [ "${differ%%.*}" -gt 4000 ] || fail "the About picture at 200 % is a 100 % picture, $other"
        done
    fi
    close_dialog "$ABOUT"

    show_control_window
    open_dialog 106 "$CONTEST"
    snap "contest-$dpi"
    expect_picture "contest-$dpi" "$CONTEST" 1 150 150 100 138 "contest picture"
    expect_picture "contest-$dpi" "$CONTEST" 2 62 46 60 44 "contest logo"
    close_dialog "$CONTEST"
    exit_app
done
