#!/usr/bin/env bash
# perch.exe's toolbar and status bar, switched through the menu with real clicks: hidden
# and shown again at once, the frame fitted around the unchanged board (Auto Size), and
# the choice kept across an exit and a new start (Save Opts on Exit is on by default).
# Then the toolbar dragged by its grip to the frame's left side and out to a floating
# palette, which comes back where it was after an exit and a new start. While a dialog of
# Perch is open, the palette takes no command; a palette saved where no monitor shows it
# comes back on the screen, where its caption can be double-clicked to dock it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

status_bar_id=59393
shown() {  # shown <bar id>: 1 while the bar is visible
    od childshown "$perch_title" "$1"
}
frame_height() {
    read_rect "$perch_title"
    echo $((r_bottom - r_top))
}
view_height() {
    read_view
    echo $((view_bottom - view_top))
}

perch_fresh_registry
mdi_start "Bars Editor" "First document.txt" "Second document.txt" "Third document.txt"
boxes=("First document.txt" "Second document.txt" "Third document.txt")
perch_start
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 2)" bars-board 8
[ "$(shown "$perch_toolbar_id")" = 1 ] && [ "$(shown $status_bar_id)" = 1 ] ||
    e2e_fail "a first start does not show both bars"
height=$(frame_height)
board_height=$(view_height)

# Menu items: Properties..., Set font..., Save Opts on Exit, Toolbar, Status Bar.
click_menu_item 5
poll_until 5 0 "the status bar shown (1) after its menu item" shown $status_bar_id
poll_until 5 "$board_height" "the board's height after hiding the status bar" view_height
[ "$(frame_height)" -lt "$height" ] || e2e_fail "the frame did not shrink with the status bar gone"
click_menu_item 4
poll_until 5 0 "the toolbar shown (1) after its menu item" shown "$perch_toolbar_id"
poll_until 5 "$board_height" "the board's height after hiding the toolbar" view_height
keep_pictures bars-hidden
echo "status bar and toolbar hidden through the menu, the frame fitted to the board: ok"

perch_close_by_keyboard
perch_start
poll_until 5 0 "the status bar shown (1) after a new start" shown $status_bar_id
poll_until 5 0 "the toolbar shown (1) after a new start" shown "$perch_toolbar_id"
echo "both bars stay hidden after an exit and a new start: ok"

click_menu_item 4
poll_until 5 1 "the toolbar shown (1) after its menu item again" shown "$perch_toolbar_id"
click_menu_item 5
poll_until 5 1 "the status bar shown (1) after its menu item again" shown $status_bar_id
echo "both bars shown again through the menu: ok"

# The toolbar taken by its grip (the first pixels of the docked toolbar) and dropped at the
# frame's left edge docks there, one button a row; dropped outside the frame it floats in
# its own palette; both survive an exit and a new start.
toolbar_rect() {  # the docked toolbar's screen rectangle into t_left, t_top, t_right, t_bottom
    read -r t_left t_top t_right t_bottom < <(wd childrect "$perch_title" "$perch_toolbar_id")
    [ -n "${t_bottom:-}" ]
}
drag() {  # drag <x> <y> <to x> <to y>
    pointer_to "$1" "$2"
    xdotool mousedown 1
    sleep 0.2
    xdotool mousemove --sync "$3" "$4"
    sleep 0.2
    xdotool mouseup 1
}
toolbar_rect || e2e_fail "the docked toolbar's rectangle could not be read"
read_view
drag $((t_left + 3)) $((t_top + 6)) $((view_left + 4)) $((view_top + 10))
sleep 1
toolbar_rect || e2e_fail "the toolbar is not docked after a drop at the frame's left edge"
read_view
[ $((t_bottom - t_top)) -gt $((t_right - t_left)) ] ||
    e2e_fail "the toolbar at the left is not one button a row ($t_left $t_top $t_right $t_bottom)"
[ "$t_right" -le "$view_left" ] || e2e_fail "the board does not start right of the toolbar"
keep_pictures bars-docked-left
echo "toolbar docked at the left side by a drag: ok"

drag $((t_left + 3)) $((t_top + 6)) 500 600
sleep 1
toolbar_rect && e2e_fail "the toolbar is still docked after a drop outside the frame"
read -r p_left p_top _ < <(wd classrect PerchToolPalette) || e2e_fail "no floating palette"
[ "$p_left" -eq 500 ] && [ "$p_top" -eq 600 ] ||
    e2e_fail "the palette is at $p_left,$p_top, not where the toolbar was dropped (500,600)"
keep_pictures bars-floating
echo "toolbar floating in its palette where it was dropped: ok"

perch_close_by_keyboard
perch_start
poll_until 5 "500 600" "the palette's position after a new start" \
    sh -c "wine '$window_driver' classrect PerchToolPalette | tr -d '\r' | cut -d' ' -f1,2"
echo "the floating toolbar comes back where it was after a new start: ok"

# While the font dialog is open the palette is disabled with the frame: a click on its
# Minimize button (the fourth of five 21-pixel buttons, before Cascade) minimizes nothing.
# Once the dialog is closed the same click does.
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 3 "$(board_expect 3 2)" bars-board-again 8
right_click_box 3 0
board_wait 3 "$(board_expect 3 2 0)" bars-first-selected 8
minimize_button() {
    read -r c_left c_top c_right c_bottom < <(wd classclient PerchToolPalette) ||
        e2e_fail "the palette's client area could not be read"
    pointer_to $((c_left + 3 * 21 + 10)) $((c_top + 9))
}
click_menu_item 2  # Set font...
wd wait "Font" 10000 >/dev/null || e2e_fail "no font dialog after Set font..."
poll_until 5 0 "the palette enabled (1) while the font dialog is open" \
    wd classenabled PerchToolPalette
minimize_button
xdotool click 1
sleep 1  # nothing is to happen
expect_state "First document.txt" "0 0" "after a click on the disabled palette"
click_caption Font
wait_foreground Font
xdotool key --clearmodifiers Escape
wd gone "Font" 10000 >/dev/null || e2e_fail "the font dialog did not close on Escape"
poll_until 5 1 "the palette enabled (1) after the dialog closed" wd classenabled PerchToolPalette
minimize_button
xdotool click 1
expect_state "First document.txt" "1 0" "after a click on the palette's Minimize button"
echo "the floating toolbar takes no command while the font dialog is open: ok"

# A palette saved where no monitor is (the monitor it was on is gone) comes back onto the
# screen, and its caption takes a double-click, which docks it.
perch_close_by_keyboard
perch_reg_set 'perch32.ini-Bar1' XPos REG_DWORD 5000
perch_reg_set 'perch32.ini-Bar1' YPos REG_DWORD 5000
perch_reg_set 'perch32.ini-Bar1' MRUFloatXPos REG_DWORD 5000
perch_reg_set 'perch32.ini-Bar1' MRUFloatYPos REG_DWORD 5000
perch_start
palette_on_screen() {
    local left top right bottom
    read -r left top right bottom < <(wd classrect PerchToolPalette) || { echo none; return; }
    if [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 1024 ] && [ "$bottom" -le 768 ]; then
        echo yes
    else
        echo "$left $top $right $bottom"
    fi
}
poll_until 10 yes "the palette saved at 5000,5000 on the 1024 x 768 desktop" palette_on_screen
read -r p_left p_top _ < <(wd classrect PerchToolPalette)
pointer_to $((p_left + 12)) $((p_top + 6))
xdotool click --repeat 2 --delay 80 1
docked() { toolbar_rect && echo yes || echo no; }
poll_until 10 yes "the toolbar docked after a double-click on the palette's caption" docked
keep_pictures bars-palette-brought-back
echo "a palette saved off the screen comes back on it and docks on a double-click: ok"
