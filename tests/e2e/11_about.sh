#!/usr/bin/env bash
# The About dialog as a user meets it: opened from the control window, owned by
# it, black with its texts and pictures, deaf to Esc and Enter, closed by its
# close box; the control window called up meanwhile takes no input; and a
# hundred openings leave no GDI object behind.
source "$(dirname "$0")/lib.sh"

ABOUT="About ClickPocket"
fresh_install --welcomed
start_ready
start_target

log "the command hides the control window and opens About, owned by it"
show_control_window
click_on "$CONTROL" 103
inspect visible "$ABOUT" 5000 >/dev/null || fail "no About dialog"
expect_eq "$(field "$CONTROL" visible)" 0 "control window visible"
expect_eq "$(field "$ABOUT" owner)" "$CONTROL" "owner"

log "black, with its labels and both pictures"
snap about
read -r l t r b < <(rect_of "$ABOUT" 101)
has_color about "$l" "$t" "$r" "$b" FFFFFF || fail "label 101 is not painted white"
expect_eq "$(pixel about $(( (l + r) / 2 )) $((b + 3)))" 000000 "background between labels"
read -r l100 t100 r100 b100 < <(rect_of "$ABOUT" 100)
read -r dl dt dr db < <(rect_of "$ABOUT")
expect_eq "$(pixel about $((l100 - 4)) $((b100 + 20)))" 000000 "background beside the picture"
# The product picture, left of label 100; the logo, between labels 103 and 104.
[ "$(colors_in about $((dl + 10)) "$t100" $((l100 - 5)) $((t100 + 100)) | wc -l)" -gt 20 ] ||
    fail "no product picture"
read -r l103 t103 r103 b103 < <(rect_of "$ABOUT" 103)
read -r l104 t104 r104 b104 < <(rect_of "$ABOUT" 104)
[ "$(colors_in about "$l103" "$b103" "$r103" $((t104 - 4)) | wc -l)" -gt 20 ] || fail "no logo"
has_color about "$l104" "$t104" "$r104" "$b104" C0C0C0 || fail "notice line not silver"
# The notice line is centred: as much room to its left as to its right.
box=$(ink_box about "$l104" "$t104" "$r104" "$b104")
width=${box%%x*}; x=$(echo "$box" | sed 's/^[^+]*+\([0-9]*\)+.*/\1/')
slack=$(( (r104 - l104) - width - x - x ))
[ "${slack#-}" -le 4 ] || fail "notice line not centred ($box in $((r104 - l104)) px)"

log "the control window called up meanwhile shows but takes no input"
show_control_window
expect_eq "$(field "$CONTROL" enabled)" 0 "control window enabled"
click_on "$CONTROL" 105
expect_eq "$(field "$CONTROL" visible)" 1 "the Hide button worked while About was open"
expect_eq "$(field "$ABOUT" visible)" 1 "About visible"

log "Esc and Enter leave it open; the close box closes it"
expect_closed_only_by_close_box "$ABOUT"
expect_eq "$(field "$CONTROL" enabled)" 1 "control window enabled after About"

log "a hundred openings leave the GDI object count where it was"
expect_hundred_openings_flat about

exit_app
