#!/usr/bin/env bash
# perch.exe at 96 and at 144 DPI (Wine's LogPixels): at 144 the frame's caption, the toolbar's
# buttons, the board's boxes and its text are 1.5 times their size at 96, drawn at that size
# (the grid read off the picture has crisp one-pixel lines where a grid of that many boxes
# puts them), and the properties sheet opens laid out in full. Pictures of both go to
# $PERCH_SHOTS (default /work/shots) as dpi-96.png and dpi-144.png. The prefix's LogPixels
# is put back as it was, and Wine restarted with it, whatever happens.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"
look_driver=$6
shots=${PERCH_SHOTS:-/work/shots}
mkdir -p "$shots"
ld() { wine "$look_driver" "$@" 2>/dev/null | tr -d '\r'; }

dpi_key='HKCU\Control Panel\Desktop'
saved_dpi=$(e2e_reg_value "$dpi_key" LogPixels)  # "REG_DWORD 0x..." or empty
restart_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 || true
    wine "$window_driver" gone perch-warm-up 0 </dev/null >/dev/null 2>&1 || true
}
set_dpi() {  # set_dpi <dpi>: 96 removes the value (Wine's default)
    if [ "$1" = 96 ]; then
        wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    else
        wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
            e2e_fail "could not set LogPixels to $1"
    fi
    restart_wine
}
put_back() {
    e2e_cleanup
    if [ -n "$saved_dpi" ]; then
        wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$(printf '%d' "${saved_dpi#* }")" /f >/dev/null 2>&1
    else
        wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
    restart_wine
}
trap put_back EXIT

app="Scale Editor"
docs=("A long chapter title.txt" "Appendix of figures.txt" "Notes.txt")
boxes=("A long chapter title.txt" "Appendix of figures.txt" "Notes.txt")  # the board's order
sheet="Properties"

# A click on a caption past its icon, which is bigger at 144 DPI than click_caption allows.
click_title() {  # click_title <title> <dpi>
    read_rect "$1"
    pointer_to $((r_left + 45 * $2 / 96)) $((r_top + 12 * $2 / 96))
    xdotool click 1
}

# The board's ink: every pixel of the view darker than its fills (grey, white, cyan) other
# than the grid's shadow line. Unlike the dark pixels alone it counts the grey edges of
# smoothed text, which the fonts of the test prefix draw at one DPI and not the other.
board_ink_pixels() {
    local file=/tmp/perch-ink-$$.png
    read_view
    shot "$file"
    convert "$file" -crop "$((view_right - view_left))x$((view_bottom - view_top))+$view_left+$view_top" \
        +repage txt:- | awk -F'[,:() ]+' 'NR > 1 && $3 + $4 + $5 < 540 && !($3 == 127 && $4 == 127 && $5 == 127) { n++ }
                                          END { print n + 0 }'
    rm -f "$file"
}

measure_at() {  # measure_at <dpi>: sets caption_<dpi>, button_<dpi>, box_<dpi>, text_<dpi>
    local dpi=$1 awareness buttons bw bh r
    set_dpi "$dpi"
    perch_fresh_registry
    mdi_start "$app" "${docs[@]}"
    perch_start
    read -r got awareness <<<"$(ld dpi "$perch_title")"
    [ "$got" = "$dpi" ] || e2e_fail "Perch runs at ${got:-no} DPI with LogPixels $dpi"
    click_title "$app" "$dpi"
    wait_foreground "$app"
    board_wait 3 "$(board_expect 3 "$(top_box)")" "dpi-$dpi-board" 10
    read -r buttons bw bh <<<"$(wd buttons "$perch_title" "$perch_toolbar_id")"
    [ "$buttons" = 5 ] || e2e_fail "at $dpi DPI the toolbar has ${buttons:-no} buttons"
    eval "button_$dpi=\"$bw $bh\""
    # The caption (with the menu bar and the border above the client area).
    read -r r_left r_top _ _ <<<"$(od rect "$perch_title")"
    read -r _ client_top _ _ <<<"$(od client "$perch_title")"
    eval "caption_$dpi=$((client_top - r_top))"
    grid_of 3
    eval "box_$dpi=\"$box_width $box_height\""
    eval "text_$dpi=$(board_ink_pixels)"
    keep_pictures "dpi-$dpi"
    cp "$artefacts/dpi-$dpi-desktop.png" "$shots/dpi-$dpi.png"
    echo "at $dpi DPI: toolbar buttons ${bw}x$bh, caption and menu $((client_top - r_top)) high," \
        "boxes ${box_width}x$box_height, $(eval echo "\$text_$dpi") text pixels: ok"
}

measure_at 96
[ "$button_96" = "21 19" ] || e2e_fail "at 96 DPI the toolbar buttons are $button_96, not 21 x 19 as always"
perch_kill
mdi_kill
measure_at 144
[ "$button_144" = "32 29" ] || e2e_fail "at 144 DPI the toolbar buttons are $button_144, not 32 x 29"

# Lengths 1.5 times (within what rounding and the system's own borders allow): text
# heights and widths are whole pixels of another font, the caption has fixed borders.
ratio_ok() {  # ratio_ok <at 96> <at 144> <low percent> <high percent>
    [ "$1" -gt 0 ] && [ $(($2 * 100)) -ge $(($1 * $3)) ] && [ $(($2 * 100)) -le $(($1 * $4)) ]
}
read -r w96 h96 <<<"$box_96"
read -r w144 h144 <<<"$box_144"
ratio_ok "$h96" "$h144" 135 165 || e2e_fail "boxes $h96 high at 96 DPI, $h144 at 144: not 1.5 times"
ratio_ok "$w96" "$w144" 135 165 || e2e_fail "boxes $w96 wide at 96 DPI, $w144 at 144: not 1.5 times"
ratio_ok "$caption_96" "$caption_144" 130 170 ||
    e2e_fail "caption and menu $caption_96 high at 96 DPI, $caption_144 at 144: not 1.5 times"
# Text of a font 1.5 times as high covers about 2.25 times the pixels.
ratio_ok "$text_96" "$text_144" 180 300 ||
    e2e_fail "$text_96 text pixels at 96 DPI, $text_144 at 144: not text of a 1.5 times bigger font"
echo "at 144 DPI the boxes (${box_144/ /x} against ${box_96/ /x}), the caption and the text are 1.5 times their size at 96: ok"

# --- The sheet at 144 DPI: every control of its first page inside it. ---
click_title "$perch_title" 144
wait_foreground "$perch_title"
click_menu_item 1  # Properties...
wd wait "$sheet" 5000 >/dev/null || e2e_fail "no properties sheet at 144 DPI"
read -r s_left s_top s_right s_bottom <<<"$(od client "$sheet")"
for id in 1015 1016 1017 1 2; do  # Max Columns, Update Interval, Max Chars, OK, Cancel
    r=$(od ctlrect "$sheet" "$id") || e2e_fail "the sheet at 144 DPI shows no control $id"
    read -r c_left c_top c_right c_bottom <<<"$r"
    [ "$c_left" -ge "$s_left" ] && [ "$c_top" -ge "$s_top" ] && [ "$c_right" -le "$s_right" ] &&
        [ "$c_bottom" -le "$s_bottom" ] ||
        e2e_fail "control $id at $r is cut off by the sheet's client area $s_left $s_top $s_right $s_bottom"
done
shot "$artefacts/dpi-144-sheet.png"
cp "$artefacts/dpi-144-sheet.png" "$shots/dpi-144-sheet.png"
click_control "$sheet" 2  # Cancel
wd gone "$sheet" 5000 >/dev/null || e2e_fail "the sheet did not close on Cancel"
echo "the properties sheet opens laid out in full at 144 DPI: ok"
