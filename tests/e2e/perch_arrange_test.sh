#!/usr/bin/env bash
# perch.exe's arrangement commands, from the keyboard after selecting boxes with the mouse:
# Ctrl+Z and Ctrl+V tile the selected documents, in click order, to the exact strips of
# their MDI client; one selected document is maximized instead; Ctrl+M minimizes, Ctrl+C
# closes; Ctrl+D cascades every document (the system has the cascade on every Windows, Wine
# included) and the toolbar has its fifth button, Cascade.
# While the application does not answer, Ctrl+Z passes it over and Perch keeps painting.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

app="Arrange Editor"
trap e2e_cleanup EXIT

perch_fresh_registry
mdi_start "$app" "Chapter Two.txt" "Appendix.txt" "Chapter One.txt"
boxes=("Appendix.txt" "Chapter One.txt" "Chapter Two.txt")  # the board's order
perch_start
click_caption "$app"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 1)" arrange-shown 8  # Chapter One.txt, opened last, is active

# The area of the tile commands: the MDI client's outer rectangle less 2 pixels each way.
read -r client_width client_height <<<"$(od mdiclient "$app")"
[ -n "$client_height" ] || e2e_fail "the test MDI application has no MDI client"
area_width=$((client_width - 2))
area_height=$((client_height - 2))
# --- Tile horizontally: strips in click order, the first clicked on top. ---
select_boxes 3 2 0 1
perch_keys ctrl+z
strip=$(max 80 $((area_height / 3)))
expect_rect "Chapter Two.txt" "0 0 $area_width $strip" "after Ctrl+Z"
expect_rect "Appendix.txt" "0 $strip $area_width $((2 * strip))" "after Ctrl+Z"
expect_rect "Chapter One.txt" "0 $((2 * strip)) $area_width $((3 * strip))" "after Ctrl+Z"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" tile-horz-cleared
keep_pictures tiled-horizontally
echo "Ctrl+Z tiles three documents into strips of $area_width x $strip in click order: ok"

# --- Tile vertically. ---
# The toolbar's Tile button follows the selection: greyed with none, live with two, and
# greyed again once the tile has emptied the selection.
tile_vert_id=32788
tile_button() { wd buttonstate "$perch_title" "$perch_toolbar_id" "$tile_vert_id"; }
poll_until 10 "0 0" "the Tile Vertically button with nothing selected" tile_button
select_boxes 3 2 0
poll_until 10 "1 0" "the Tile Vertically button with two boxes selected" tile_button
perch_keys ctrl+v
strip=$(max 100 $((area_width / 2)))
expect_rect "Chapter Two.txt" "0 0 $strip $area_height" "after Ctrl+V"
expect_rect "Appendix.txt" "$strip 0 $((2 * strip)) $area_height" "after Ctrl+V"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" tile-vert-cleared
poll_until 10 "0 0" "the Tile Vertically button after the tile" tile_button
echo "Ctrl+V tiles two documents side by side, $strip wide: ok"

# --- One selected document is maximized instead. ---
select_boxes 3 1
perch_keys ctrl+z
expect_state "Chapter One.txt" "0 1" "after Ctrl+Z with it alone selected"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" maximize-cleared
mdi restore "Chapter One.txt"
expect_state "Chapter One.txt" "0 0" "after the application restored it"
echo "Ctrl+Z with one document selected maximizes it: ok"

# --- Minimize. ---
select_boxes 3 0 2
perch_keys ctrl+m
expect_state "Appendix.txt" "1 0" "after Ctrl+M"
expect_state "Chapter Two.txt" "1 0" "after Ctrl+M"
[ "$(od docstate "$app" "Chapter One.txt")" = "0 0" ] || e2e_fail "Ctrl+M minimized an unselected document"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" minimize-cleared
echo "Ctrl+M minimizes the selected documents: ok"

# --- Close. ---
select_boxes 3 2
perch_keys ctrl+c
poll_until 5 "$(printf '%s\n' "Appendix.txt" "Chapter One.txt" | sort)" "documents after Ctrl+C" \
    eval 'od docs "$app" | sort'
wait_foreground "$app"
boxes=("Appendix.txt" "Chapter One.txt")
board_wait 2 "$(board_expect 2 "$(top_box)")" close-board
echo "Ctrl+C closes the selected document and the board follows: ok"

# --- Ctrl+A selects every box. ---
mdi restore "Appendix.txt"
mdi add "Chapter Two.txt"
boxes=("Appendix.txt" "Chapter One.txt" "Chapter Two.txt")
board_wait 3 "$(board_expect 3 "$(top_box)")" all-board 8
focus=$(top_box)
perch_keys ctrl+a
board_wait 3 "$(board_expect 3 "$focus" 0 1 2)" select-all
perch_keys ctrl+z
strip=$(max 80 $((area_height / 3)))
for i in 0 1 2; do
    expect_rect "${boxes[$i]}" "0 $((i * strip)) $area_width $(((i + 1) * strip))" "after Ctrl+A, Ctrl+Z"
done
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" select-all-tiled

# --- Cascade: offered on the toolbar and by Ctrl+D, every document overlapped. ---
read -r buttons button_width button_height <<<"$(wd buttons "$perch_title" "$perch_toolbar_id")"
[ "$buttons" = 5 ] || e2e_fail "the toolbar has ${buttons:-no} buttons, not five with Cascade"
echo "the toolbar has five buttons of ${button_width}x$button_height: ok"
keep_pictures cascade-toolbar
# Every document, selected or not, one caption step further down and right than the last.
cascaded() {
    doc_rects | sort -n | awk '
        { w = $3 - $1; h = $4 - $2
          if ($1 != $2) bad = "not on the diagonal: " $0
          if (NR == 1 && $1 != 0) bad = "the first is not at 0,0: " $0
          if (NR == 2) { step = $1; if (step <= 0) bad = "no step" }
          if (NR > 1 && $1 != (NR - 1) * step) bad = "uneven step: " $0
          if (NR > 1 && (w != w0 || h != h0)) bad = "sizes differ: " $0
          w0 = w; h0 = h }
        END { print (bad == "" ? "cascaded" : bad) }'
}
select_boxes 3 1
[ "$(cascaded)" != cascaded ] || e2e_fail "the documents are cascaded before Ctrl+D"
perch_keys ctrl+d
wait_foreground "$app"
poll_until 5 cascaded "documents after Ctrl+D" cascaded
board_wait 3 "$(board_expect 3 "$(top_box)" 1)" cascade-selection-kept
keep_pictures cascaded
echo "Ctrl+D cascades all documents and keeps the selection: ok"

# --- The application stops answering: Ctrl+Z passes it over and Perch still paints. ---
select_boxes 3 2 1
perch_keys ctrl+v
strip=$(max 100 $((area_width / 2)))
expect_rect "Chapter Two.txt" "0 0 $strip $area_height" "after Ctrl+V"
expect_rect "Chapter One.txt" "$strip 0 $((2 * strip)) $area_height" "after Ctrl+V"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" hung-before
focus=$(top_box)
perch_keys ctrl+a
board_wait 3 "$(board_expect 3 "$focus" 0 1 2)" hung-select-all
before=$(doc_rects)
mdi hang 8000
perch_keys ctrl+z
slowest=0
for i in 1 2 3 4 5 6 7 8; do
    ms=$(od repaint "$perch_title" "$perch_view_id" 2000) ||
        e2e_fail "Perch did not repaint its board within 2 s while the application hangs (try $i)"
    slowest=$(max "$slowest" "$ms")
    sleep 0.3
done
board_wait 3 "$(board_expect 3 "$focus")" hung-selection-cleared
od mdi "$app" count >/dev/null  # returns once the application answers again
sleep 1
after=$(doc_rects)
[ "$before" = "$after" ] || e2e_fail "a command passed over while hung arrived later: $before -> $after"
echo "Ctrl+Z on a hung application: Perch repainted within ${slowest} ms each time; nothing stale arrived: ok"
