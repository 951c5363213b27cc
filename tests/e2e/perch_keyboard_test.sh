#!/usr/bin/env bash
# perch.exe's board from the keyboard and for screen readers, with real keys: the arrows
# move a keyboard cursor, Enter activates its document, Space selects, Escape clears,
# Shift+F10 opens the board's commands at the cursor; a screen reader (accessible_driver,
# another process, through Wine's oleacc) reads one list item per box and activates one.
# Called with the usual arguments and, last, accessible_driver.exe.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"
accessible_driver=$6
ad() { wine "$accessible_driver" "$@" 2>/dev/null | tr -d '\r'; }

app="Key Editor"
perch_fresh_registry
# Opened last, A.TXT is the active document; the board shows A.TXT, B.TXT, C.TXT.
mdi_start "$app" C.TXT B.TXT A.TXT
boxes=(A.TXT B.TXT C.TXT)
perch_start
click_caption "$app"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 0)" keyboard-shown 8
top_document() { od docs "$app" | head -n 1; }

# --- Down Down Enter activates the third document. ---
perch_keys Down Down
keep_pictures keyboard-cursor
xdotool key --clearmodifiers Return
wait_foreground "$app"
poll_until 10 C.TXT "top document after Down Down Enter" top_document
board_wait 3 "$(board_expect 3 2)" keyboard-enter
echo "Down Down Enter activates the third document: ok"

# --- Space on two boxes, then Ctrl+Z tiles exactly those two. ---
read -r client_width client_height <<<"$(od mdiclient "$app")"
area_width=$((client_width - 2))
strip=$(max 80 $(((client_height - 2) / 2)))
before_c=$(od docrect "$app" C.TXT)
perch_keys Home space Down space
board_wait 3 "$(board_expect 3 2 0 1)" keyboard-space
xdotool key --clearmodifiers ctrl+z
expect_rect A.TXT "0 0 $area_width $strip" "after Space, Space and Ctrl+Z"
expect_rect B.TXT "0 $strip $area_width $((2 * strip))" "after Space, Space and Ctrl+Z"
[ "$(od docrect "$app" C.TXT)" = "$before_c" ] || e2e_fail "C.TXT moved, though it was not selected"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" keyboard-tiled
echo "Space on two boxes and Ctrl+Z tiles those two: ok"

# --- Escape clears the selection; Shift+Space selects the cursor's box alone. ---
perch_keys space Up space
board_wait 3 "$(board_expect 3 "$(top_box)" 1 0)" keyboard-select-again
xdotool key --clearmodifiers Escape
board_wait 3 "$(board_expect 3 "$(top_box)")" keyboard-escape
xdotool key --clearmodifiers Down shift+space
board_wait 3 "$(board_expect 3 "$(top_box)" 1)" keyboard-shift-space
echo "Escape clears the selection and Shift+Space selects one box: ok"

# --- Shift+F10 opens the board's commands; Minimize minimizes the selection (B.TXT). ---
xdotool key --clearmodifiers shift+F10
od popupmenu 10000 >/dev/null 2>&1 || e2e_fail "Shift+F10 opened no menu on the board"
keep_pictures keyboard-menu
xdotool key m
expect_state B.TXT "1 0" "after Shift+F10 and Minimize"
echo "Shift+F10 and Minimize minimizes the selected document: ok"

# --- A screen reader reads the board. ---
mdi restore B.TXT
click_caption "$app"
wait_foreground "$app"
board_wait 3 "$(board_expect 3 "$(top_box)")" reader-board
read_view
out=$(ad read) || e2e_fail "the screen reader could not read the board: $out"
echo "$out"
[ "$(head -n 1 <<<"$out")" = "count 3" ] || e2e_fail "the list has not 3 children: $out"
for i in 0 1 2; do
    IFS='|' read -r id name description role state location <<<"$(sed -n "$((i + 2))p" <<<"$out")"
    [ "$id" = $((i + 1)) ] && [ "$name" = "${boxes[$i]}" ] && [ "$description" = "${boxes[$i]}" ] ||
        e2e_fail "child $((i + 1)) reads \"$id|$name|$description\""
    [ "$role" = 34 ] || e2e_fail "child $((i + 1)) has the role $role, not a list item (34)"
    # Selectable and focusable (0x200000 | 0x100000), not selected.
    [ $((0x$state & 0x300002)) = $((0x300000)) ] || e2e_fail "child $((i + 1)) has the state $state"
    read -r x y w h <<<"$location"
    [ "$x" -ge "$view_left" ] && [ $((x + w)) -le $((view_right + 1)) ] && [ "$w" -gt 10 ] &&
        [ "$y" -ge "$view_top" ] && [ $((y + h)) -le $((view_bottom + 1)) ] && [ "$h" -gt 5 ] ||
        e2e_fail "child $((i + 1)) lies at $location, outside the view"
done
[ "$(ad self | cut -d'|' -f1)" = 33 ] || e2e_fail "the board is not a list (33): $(ad self)"

# Its default action activates the document.
perch_keys Home
out=$(ad action 2) || e2e_fail "the default action of child 2 failed"
[ "$out" = "Activate B.TXT" ] || e2e_fail "the default action reads \"$out\""
wait_foreground "$app"
poll_until 10 B.TXT "top document after the default action" top_document

# A document that closes leaves the list.
mdi close C.TXT
poll_until 10 "count 2" "the list after C.TXT closed" eval 'ad read | head -n 1'
echo "a screen reader reads three list items with names, states and places, activates one, and sees one go: ok"
