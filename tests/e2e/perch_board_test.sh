#!/usr/bin/env bash
# perch.exe's board, driven with real input: it shows the documents of the MDI application
# in front as a grid of boxes (focus box white), a left click on a box brings that document
# to the top of its MDI client and its application to the foreground, and the right button
# selects (cyan) as the mouse model says.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

perch_fresh_registry
# Five documents: three rows, two columns, the last box of the second column empty. By file
# name, without directories: A.TXT, beta.txt, Budget.xls, notes.txt, Report.doc.
mdi_start "Board Editor" 'C:\DOCS\Report.doc' notes.txt A.TXT Budget.xls beta.txt
sorted=(A.TXT beta.txt Budget.xls notes.txt 'C:\DOCS\Report.doc')
perch_start

# --- The board follows the application in front. ---
click_caption "Board Editor"
wait_foreground "Board Editor"
# The application's active document is the last one opened: beta.txt, box 1.
board_wait 5 "$(board_expect 5 1)" board-shown 8
keep_pictures board-shown
grid_of 5
[ "$box_width" -gt 20 ] && [ "$box_height" -gt 8 ] ||
    e2e_fail "boxes of ${box_width}x$box_height are too small to hold a title"
echo "board of five documents (3 rows, 2 columns of ${box_width}x$box_height, focus white): ok"

# --- A left click on a box raises that document and brings its application forward. ---
for box in 3 0 4; do
    click_caption "$perch_title"
    wait_foreground "$perch_title"
    left_click_box 5 "$box"
    wait_foreground "Board Editor"
    poll_until 5 "${sorted[$box]}" "top document after a left click on box $box" \
        eval 'od docs "Board Editor" | head -n 1'
    board_wait 5 "$(board_expect 5 "$box")" "left-click-$box"
done
echo "left click raises the document of its box and activates the application: ok"

# A minimized document is restored by a left click on its box.
mdi minimize Budget.xls
[ "$(od docstate "Board Editor" Budget.xls)" = "1 0" ] || e2e_fail "Budget.xls did not minimize"
left_click_box 5 2
poll_until 5 "0 0" "Budget.xls (iconic, zoomed) after a left click on its box" \
    od docstate "Board Editor" Budget.xls
wait_foreground "Board Editor"
[ "$(od docs "Board Editor" | head -n 1)" = Budget.xls ] || e2e_fail "Budget.xls is not on top"
board_wait 5 "$(board_expect 5 2)" left-click-minimized
echo "left click restores a minimized document: ok"

# --- The right button selects. ---
focus=2
right_click_box 5 0
board_wait 5 "$(board_expect 5 $focus 0)" select-one
right_click_box 5 3
board_wait 5 "$(board_expect 5 $focus 3)" select-other
ctrl_right_click_box 5 1
board_wait 5 "$(board_expect 5 $focus 3 1)" ctrl-add
ctrl_right_click_box 5 2  # the focus box: the selection is drawn over it
board_wait 5 "$(board_expect 5 $focus 3 1 2)" ctrl-add-focus
keep_pictures board-selected
ctrl_right_click_box 5 3
board_wait 5 "$(board_expect 5 $focus 1 2)" ctrl-remove
right_click_box 5 5  # the empty place below the last box selects nothing
sleep 0.5
board_wait 5 "$(board_expect 5 $focus 1 2)" right-click-empty
right_double_click_box 5 4
board_wait 5 "$(board_expect 5 $focus)" right-double-click
# The selection stays while the application is in front again.
ctrl_right_click_box 5 4
board_wait 5 "$(board_expect 5 $focus 4)" ctrl-add-after-clear
click_caption "Board Editor"
wait_foreground "Board Editor"
sleep 2  # more than one refresh tick with the application in front
board_wait 5 "$(board_expect 5 $focus 4)" selection-kept
echo "right click, Ctrl+right click and right double-click select as the mouse model says: ok"

# Ctrl+A selects every box.
perch_keys ctrl+a
board_wait 5 "$(board_expect 5 $focus 0 1 2 3 4)" select-all
echo "Ctrl+A selects all: ok"
