#!/usr/bin/env bash
# The program at 100 %, 125 %, 150 %, 175 % and 200 % (96 to 192 DPI), in a prefix
# whose LogPixels is set before each start: Wine reads it when a program starts,
# tells it to the program and lays dialogs out with it, but stretches nothing.
# On the screen, each picture of the About and contest dialogs is its size times
# the layout's growth there (cplook layout: the dialog font's base units against
# 6 x 13), and at 200 % the About picture is drawn for its scale, not the 100 %
# picture with its pixels doubled. (Whether every text fits its control at every
# scale is measured in the Win32 layer: win32.dpi.) At 125 % and 175 % the
# contest dialog alone.
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
    w=$(scaled "$4" "$layout") h=$(scaled "$5" "$layout") iw=$(scaled "$6" "$layout")
    ih=$(scaled "$7" "$layout")
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

for dpi in 96 120 144 168 192; do
    set_display_dpi "$dpi"
    read -r layout units < <(inspect layout)
    log "at $dpi DPI: base units $units, pictures grown as at $layout DPI"
    fresh_install --welcomed
    start_ready
    start_target
    show_control_window
    case $dpi in 120|168) ;; *)

    open_dialog 103 "$ABOUT"
    snap "about-$dpi"
    expect_picture "about-$dpi" "$ABOUT" 1 100 100 100 92 "About picture"
    expect_picture "about-$dpi" "$ABOUT" 2 62 46 60 44 "About logo"
    if [ "$dpi" = 192 ]; then
        # The 100 % picture with its pixels repeated to the same size differs.
        read -r l t r b < <(inspect picture "$ABOUT" 1)
        crop "about-$dpi" "$l" "$t" "$r" "$b" "$SHOTS/about-picture.png"
        convert "$CP_SOURCE_DIR/res/art/about.bmp" -sample "$((r - l))x$((b - t))!" "$SHOTS/about-sampled.png"
        differ=$(compare -metric AE "$SHOTS/about-picture.png" "$SHOTS/about-sampled.png" null: 2>&1 || true)
        log "About picture at $dpi DPI against the 100 % one stretched: $differ of $(((r - l) * (b - t))) pixels differ"
        [ "${differ%%.*}" -gt $(((r - l) * (b - t) / 10)) ] || fail "the About picture at $dpi DPI is the 100 % picture stretched"
    fi
    close_dialog "$ABOUT"
    show_control_window ;;
    esac

    open_dialog 106 "$CONTEST"
    snap "contest-$dpi"
    expect_picture "contest-$dpi" "$CONTEST" 1 150 150 100 138 "contest picture"
    expect_picture "contest-$dpi" "$CONTEST" 2 62 46 60 44 "contest logo"
    close_dialog "$CONTEST"
    exit_app
done
