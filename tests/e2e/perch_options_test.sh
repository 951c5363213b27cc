#!/usr/bin/env bash
# The options a user changes while Perch runs, with real clicks and keys. The properties
# sheet opened from the menu: a refused Max Columns (the message, the sheet kept open, the
# focus back in the field), then the columns, the interval, the background colour and an
# excluded application changed on the three pages and accepted with OK; the board follows
# at once and stops watching the excluded application; the exit writes the changed values
# and nothing else. Cancel changes nothing. The font dialog grows the board (Auto Size), and
# with Always on Top the frame is topmost again after either dialog, OK or Cancel.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

sheet="Properties"

# Empties one of the sheet's edits and types into it.
type_into() {  # type_into <control id> <text>
    click_control "$sheet" "$1"
    xdotool key --clearmodifiers End shift+Home BackSpace
    xdotool type --delay 30 "$2"
}
click_tab() {  # click_tab <index from 0>
    local point
    point=$(od tabpoint "$sheet" "$1") || e2e_fail "the sheet has no tab $1"
    pointer_to "${point% *}" "${point#* }"
    xdotool click 1
}
expect_control() {  # expect_control <ctltext|ctlstate> <control id> <expected> <what>
    poll_until 3 "$3" "$4" od "$1" "$sheet" "$2"
}
open_sheet() {
    click_menu_item 1  # Properties...
    wd wait "$sheet" 5000 >/dev/null || e2e_fail "no properties sheet after its menu item"
    wait_foreground "$sheet"
}
# Keeps a picture of the sheet for a person to look at.
sheet_picture() {  # sheet_picture <name>
    local file="$artefacts/$1.png"
    sleep 0.3
    read_rect "$sheet"
    shot "$file"
    mogrify -crop "$((r_right - r_left))x$((r_bottom - r_top))+$r_left+$r_top" +repage "$file"
}
view_height() {
    read_view
    echo $((view_bottom - view_top))
}
taller_than() { [ "$(view_height)" -gt "$1" ]; }
board_has_text() { [ "$(board_text_pixels)" -gt 0 ]; }
# Polls a condition (a command) until it succeeds, for up to <seconds>.
wait_for() {  # wait_for <seconds> <what> <command...>
    local limit=$1 what=$2 start=$SECONDS
    shift 2
    until "$@"; do
        [ $((SECONDS - start)) -lt "$limit" ] || e2e_fail "no $what within $limit s"
        sleep 0.2
    done
}

perch_fresh_registry
e2e_start "$mdi_exe" "Excluded Editor" "Memo one.txt" "Memo two.txt"
excluded_pid=$e2e_last_pid
wd wait "Excluded Editor" 10000 >/dev/null || e2e_fail "the second MDI application did not open"
# Below the other application (which opens at 20,20, 600 x 450), so both captions show.
od mdi "Excluded Editor" place 60 480 560 260 >/dev/null || e2e_fail "could not place the second application"
mdi_start "Options Editor" "First document.txt" "Second document.txt" "Third document.txt"
boxes=("First document.txt" "Second document.txt" "Third document.txt")
perch_start

# Before any change both applications are watched.
click_caption "Excluded Editor"
wait_foreground "Excluded Editor"
wait_for 8 "the board showing the second application's documents" board_has_text
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 "$(top_box)")" options-before 8

# --- The sheet, page by page. ---
open_sheet
sheet_picture options-settings-page
expect_control ctltext 1015 2 "Max Columns when the sheet opens"
expect_control ctltext 1016 1.5 "Update Interval when the sheet opens"
expect_control ctltext 1017 20 "Max Chars when the sheet opens"
expect_control ctlstate 1009 "0 0 -1" "List Paths First (checked enabled) with paths hidden"
expect_control ctlstate 1022 "0 1 1" "the Visibility list (Smart)"

type_into 1015 0
click_control "$sheet" 1  # OK
message=$(od msgbox Perch 3000) || e2e_fail "no message for 0 columns"
[ "$message" = "Please enter an integer between 1 and 16." ] ||
    e2e_fail "0 columns gave the message \"$message\""
xdotool key Return
od nomsgbox Perch 3000 >/dev/null || e2e_fail "the message stayed after Enter"
wd wait "$sheet" 1000 >/dev/null || e2e_fail "the sheet closed although Max Columns was refused"
poll_until 3 "1015 Edit" "the focus after the refusal" od focusid
xdotool type --delay 30 3  # the refused text is selected: typing replaces it
expect_control ctltext 1015 3 "Max Columns typed over the refused value"
echo "0 columns refused with its message, the sheet kept open, the focus in the field: ok"

type_into 1016 2.37

click_tab 1  # Colors
expect_control ctlstate 1001 "0 1 14" "the Background list (light grey, the 15th colour)"
sheet_picture options-colors-page
click_control "$sheet" 1001
od droplist 3000 >/dev/null || e2e_fail "the Background list did not open"
sheet_picture options-colors-open
xdotool key End Up Up Return  # white, light grey, yellow
expect_control ctlstate 1001 "0 1 13" "the Background list after choosing yellow"

click_tab 2  # Excluded Apps
expect_control ctltext 1006 "Program Manager" "the Excluded Apps text"
click_control "$sheet" 1006
xdotool key --clearmodifiers ctrl+End Return
xdotool type --delay 30 "Excluded Editor"
sheet_picture options-excluded-page
click_control "$sheet" 1  # OK
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after OK"

grid_max_cols=3
board_bg="#FFFF00"
board_wait 3 "$(board_expect 3 "$(top_box)")" options-after 6
keep_pictures options-after
echo "three columns and a yellow background at once after OK: ok"

click_caption "Excluded Editor"
wait_foreground "Excluded Editor"
poll_until 8 0 "text on the board while the excluded application is in front" board_text_pixels
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 "$(top_box)")" options-back 8
echo "the excluded application is no longer watched: ok"

before=$(perch_reg_dump)
perch_close_by_keyboard
[ "$(e2e_reg_value "$perch_root_key\\Options" NumColumns)" = "REG_DWORD 0x3" ] ||
    e2e_fail "NumColumns after the exit: $(e2e_reg_value "$perch_root_key\\Options" NumColumns)"
[ "$(e2e_reg_value "$perch_root_key\\Options" Update)" = "REG_DWORD 0x8fc" ] ||
    e2e_fail "Update after 2.37 was applied: $(e2e_reg_value "$perch_root_key\\Options" Update) (2300 = 0x8fc)"
[ "$(e2e_reg_value "$perch_root_key\\Options" "Excluded Apps")" = "REG_SZ Program Manager||Excluded Editor" ] ||
    e2e_fail "Excluded Apps after the exit: $(e2e_reg_value "$perch_root_key\\Options" "Excluded Apps")"
for c in "Red Bkgnd 0xff" "Green Bkgnd 0xff" "Blue Bkgnd 0x0"; do
    [ "$(e2e_reg_value "$perch_root_key\\Colors" "${c% *}")" = "REG_DWORD ${c##* }" ] ||
        e2e_fail "Colors\\${c% *} after the exit: $(e2e_reg_value "$perch_root_key\\Colors" "${c% *}")"
done
for unchanged in Boxes Menu Focus Paths First Sort Capitals Visibility NumChars Resize; do
    [ -z "$(e2e_reg_value "$perch_root_key\\Options" "$unchanged")" ] ||
        e2e_fail "$unchanged was written although it did not change"
done
[ -z "$(e2e_reg_value "$perch_root_key\\Colors" "Red Text")" ] ||
    e2e_fail "the text colour was written although it did not change"
echo "the exit wrote the changed values (Update as 2300) and not the others: ok"

# --- Cancel changes nothing. ---
perch_start
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 "$(top_box)")" options-restart 8
open_sheet
type_into 1015 1
xdotool key --clearmodifiers Escape
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after Escape"
sleep 1.5  # more than a refresh interval
board_wait 3 "$(board_expect 3 "$(top_box)")" options-cancelled 3
echo "Cancel after an edit leaves the board as it was: ok"

# --- The font dialog, and Always on Top after either dialog. ---
perch_kill
perch_reg_set Options Visibility REG_DWORD 2
perch_start
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 "$(top_box)")" options-on-top 8
height=$(view_height)
click_menu_item 2  # Set font...
wd wait Font 5000 >/dev/null || e2e_fail "no font dialog after its menu item"
wait_foreground Font
sheet=Font
sheet_picture options-font-dialog
type_into 1138 20  # the size field
click_control Font 1
wd gone Font 3000 >/dev/null || e2e_fail "the font dialog stayed open after OK"
wait_for 5 "the board taller than $height pixels with a 20-point font" taller_than "$height"
keep_pictures options-font
poll_until 5 1 "Perch topmost (1) after the font dialog's OK" wd topmost "$perch_title"

click_menu_item 2
wd wait Font 5000 >/dev/null || e2e_fail "no font dialog the second time"
wait_foreground Font
xdotool key --clearmodifiers Escape
wd gone Font 3000 >/dev/null || e2e_fail "the font dialog stayed open after Escape"
poll_until 5 1 "Perch topmost (1) after the font dialog's Cancel" wd topmost "$perch_title"

sheet=Properties
open_sheet
xdotool key --clearmodifiers Escape
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after Escape"
poll_until 5 1 "Perch topmost (1) after the sheet's Cancel" wd topmost "$perch_title"
echo "the font dialog grows the board; Always on Top holds after both dialogs: ok"

# --- A stored text colour outside the sixteen: the Colors page cannot be left. ---
perch_kill
perch_reg_set Colors "Red Text" REG_DWORD 10
perch_reg_set Colors "Green Text" REG_DWORD 20
perch_reg_set Colors "Blue Text" REG_DWORD 30
perch_start
open_sheet
click_tab 1  # Colors
expect_control ctlstate 1000 "0 1 -1" "the Text list (no selection for red 10, green 20, blue 30)"
click_control "$sheet" 1  # OK
message=$(od msgbox Perch 3000) || e2e_fail "no message for the Text list without a colour"
[ "$message" = "Please Select a Color" ] || e2e_fail "the Text list without a colour gave \"$message\""
xdotool key Return
od nomsgbox Perch 3000 >/dev/null || e2e_fail "the message stayed after Enter"
wd wait "$sheet" 1000 >/dev/null || e2e_fail "the sheet closed with a list without a colour"
poll_until 3 "1000 ComboBox" "the focus after \"Please Select a Color\"" od focusid
xdotool key --clearmodifiers Escape
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after Escape"
echo "a colour outside the table blocks the Colors page with its message: ok"

perch_kill
kill "$excluded_pid" 2>/dev/null || true
echo "PASS"
