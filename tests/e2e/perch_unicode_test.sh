#!/usr/bin/env bash
# perch.exe with document titles in other scripts, under Wine's default code page (1252),
# driven with real input: each box shows its own title (the board's picture against the
# same texts drawn in the board's font by unicode_driver.exe), a left click on each box brings
# its own document forward, a selection of the two Japanese documents tiles exactly those
# two, an Excluded Apps entry in Cyrillic keeps its application off the board, and the
# sheet's Excluded Apps page shows it, takes more typed in Cyrillic and stores them.
# Called with the usual arguments of perch_lib.sh, then unicode_driver.exe.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"
unicode_driver=$6

app="Unicode Editor"
excluded="Редактор"  # "Editor" in Russian: an application whose name is not in code page 1252
sheet="Properties"
# The board's order by file name: letters folded, then by code point (ω 03C9, м 043C,
# 大 5927, 東 6771, 📄 1F4C4).
boxes=("Ωmega – résumé.txt" "Москва.doc" "大阪.txt" "東京.txt" "📄 notes.txt")

ud() { wine "$unicode_driver" "$@" | tr -d '\r'; }
stored_excluded() { ud regget 'Software\Halden\Perch\Options' "Excluded Apps"; }
wait_title() {  # wait_title <title>: up to 10 s for a top-level window with that title
    local start=$SECONDS
    until od rect "$1" >/dev/null 2>&1; do
        [ $((SECONDS - start)) -lt 10 ] || e2e_fail "no window \"$1\" within 10 s"
        sleep 0.2
    done
}

# The dark (text) pixels of a region of a picture, cut to their bounding box: "<w>x<h>"
# and then each row as 0s and 1s, "/" between rows; empty when the region holds none.
ink_of() {  # ink_of <file> <x> <y> <width> <height>
    convert "$1" -crop "$4x$5+$2+$3" +repage txt:- 2>/dev/null | awk -F'[,:() ]+' '
        NR > 1 && $3 + $4 + $5 < 300 {
            d[$1 "," $2] = 1
            if (minx == "" || $1 < minx) minx = $1
            if (maxx == "" || $1 > maxx) maxx = $1
            if (miny == "" || $2 < miny) miny = $2
            if (maxy == "" || $2 > maxy) maxy = $2
        }
        END {
            if (minx == "") exit
            out = (maxx - minx + 1) "x" (maxy - miny + 1)
            for (y = miny; y <= maxy; y++) {
                row = ""
                for (x = minx; x <= maxx; x++) row = row (d[x "," y] ? 1 : 0)
                out = out "/" row
            }
            print out
        }'
}

perch_fresh_registry
perch_reg_set Options "Excluded Apps" REG_SZ "Program Manager||$excluded"
[ "$(stored_excluded)" = "Program Manager||$excluded" ] ||
    e2e_fail "the registry did not keep the Cyrillic entry: $(stored_excluded)"
e2e_start "$mdi_exe" "$excluded" "Заметки.txt" "Memo.txt"
wait_title "$excluded"
od mdi "$excluded" place 60 480 560 260 >/dev/null || e2e_fail "could not place \"$excluded\""
mdi_start "$app" "東京.txt" "大阪.txt" "Москва.doc" "Ωmega – résumé.txt" "📄 notes.txt"
[ "$(od docs "$app" | sort)" = "$(printf '%s\n' "${boxes[@]}" | sort)" ] ||
    e2e_fail "the test application's documents read back as: $(od docs "$app")"
perch_start

# --- Each box shows its own title. ---
click_caption "$app"
wait_foreground "$app"
board_wait 5 "$(board_expect 5 4)" unicode-shown 8  # the last opened, 📄 notes.txt, is active
keep_pictures unicode-board
# The same texts drawn by unicode_driver in the board's font, grey and white bands.
e2e_start "$unicode_driver" show 30000 "${boxes[@]}"
reference_pid=$e2e_last_pid
wait_title "Perch text reference"
sleep 0.5  # drawn after it is shown
board_file="$artefacts/unicode-board-desktop.png"
reference_file="$artefacts/unicode-reference.png"
shot "$reference_file"
kill "$reference_pid" 2>/dev/null || true
e2e_wait_exit "$reference_pid" 10 || e2e_fail "unicode_driver outlived its kill"
grid_of 5
declare -A seen=()
for i in "${!boxes[@]}"; do
    left=$((view_left + (i / grid_rows) * box_width + 2))
    top=$((view_top + (i % grid_rows) * box_height + 2))
    shown=$(ink_of "$board_file" "$left" "$top" $((box_width - 3)) $((box_height - 3)))
    band=$((2 * i + (i == 4 ? 1 : 0)))  # the focus box is white
    drawn=$(ink_of "$reference_file" 11 $((460 + band * 20 + 1)) 398 18)
    [ -n "$drawn" ] || e2e_fail "unicode_driver drew nothing for \"${boxes[$i]}\""
    [ "$shown" = "$drawn" ] ||
        e2e_fail "box $i does not show \"${boxes[$i]}\" as the font draws it (${shown%%/*} against ${drawn%%/*}; pictures: $board_file, $reference_file)"
    [ -z "${seen[$shown]:-}" ] || e2e_fail "box $i looks like box ${seen[$shown]}"
    seen[$shown]=$i
done
echo "each of the five boxes shows its own title, drawn as the board's font draws it: ok"

# --- A left click on each box brings its own document forward. ---
for box in 3 2 0 4 1; do
    click_caption "$perch_title"
    wait_foreground "$perch_title"
    left_click_box 5 "$box"
    wait_foreground "$app"
    poll_until 5 "${boxes[$box]}" "top document after a left click on box $box" \
        eval 'od docs "$app" | head -n 1'
    board_wait 5 "$(board_expect 5 "$box")" "unicode-click-$box"
done
echo "a left click on each box activates its own document: ok"

# --- The two Japanese documents selected and tiled: exactly those two move. ---
others_before=$(for d in "${boxes[0]}" "${boxes[1]}" "${boxes[4]}"; do od docrect "$app" "$d"; done)
select_boxes 5 3 2
keep_pictures unicode-selected
perch_keys ctrl+z
read -r client_width client_height <<<"$(od mdiclient "$app")"
area_width=$((client_width - 2))
strip=$(max 80 $(((client_height - 2) / 2)))
expect_rect "東京.txt" "0 0 $area_width $strip" "after Ctrl+Z"
expect_rect "大阪.txt" "0 $strip $area_width $((2 * strip))" "after Ctrl+Z"
others_after=$(for d in "${boxes[0]}" "${boxes[1]}" "${boxes[4]}"; do od docrect "$app" "$d"; done)
[ "$others_before" = "$others_after" ] || e2e_fail "Ctrl+Z moved documents that were not selected"
wait_foreground "$app"
keep_pictures unicode-tiled
echo "東京.txt and 大阪.txt selected and tiled, the others left in place: ok"

# --- The Cyrillic entry of Excluded Apps keeps its application off the board. ---
click_caption "$excluded"
wait_foreground "$excluded"
poll_until 8 0 "text on the board while \"$excluded\" is in front" board_text_pixels
click_caption "$app"
wait_foreground "$app"
board_wait 5 "$(board_expect 5 "$(top_box)")" unicode-back 8
echo "\"$excluded\", listed in Excluded Apps, is not watched: ok"

# --- The sheet's Excluded Apps page: the entry read, more typed in Cyrillic, stored. ---
click_menu_item 1  # Properties...
wd wait "$sheet" 5000 >/dev/null || e2e_fail "no properties sheet after its menu item"
wait_foreground "$sheet"
point=$(od tabpoint "$sheet" 2) || e2e_fail "the sheet has no tab 2"
pointer_to "${point% *}" "${point#* }"
xdotool click 1
poll_until 3 "$(printf 'Program Manager\n%s' "$excluded")" "the Excluded Apps page" \
    od ctltext "$sheet" 1006
click_control "$sheet" 1006
xdotool key --clearmodifiers ctrl+End Return
xdotool type --delay 60 "Блокнот"
poll_until 5 "$(printf 'Program Manager\n%s\nБлокнот' "$excluded")" \
    "the Excluded Apps page after typing" od ctltext "$sheet" 1006
read_rect "$sheet"
shot "$artefacts/unicode-excluded-page.png"
mogrify -crop "$((r_right - r_left))x$((r_bottom - r_top))+$r_left+$r_top" +repage \
    "$artefacts/unicode-excluded-page.png"
click_control "$sheet" 1  # OK
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after OK"
perch_close_by_keyboard
[ "$(stored_excluded)" = "Program Manager||$excluded||Блокнот" ] ||
    e2e_fail "Excluded Apps after the exit: $(stored_excluded)"
echo "the Excluded Apps page shows the Cyrillic entry, takes another typed, and stores both: ok"

# Started again, Perch reads the stored entries back and still leaves the application out.
perch_start
click_caption "$app"
wait_foreground "$app"
board_wait 5 "$(board_expect 5 "$(top_box)")" unicode-restart 8
click_caption "$excluded"
wait_foreground "$excluded"
poll_until 8 0 "text on the board while \"$excluded\" is in front after a restart" board_text_pixels
echo "after a restart the stored Cyrillic entry still excludes its application: ok"
