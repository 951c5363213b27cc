#!/usr/bin/env bash
# Perch's help opened as a user opens it, in Wine's help viewer: F1 on the board, F1 on
# each page of the properties sheet, Shift+F1 and a click on a toolbar button, F1 on a
# highlighted menu item, and "Index" from the Help menu, each showing its own topic (read from the viewer's windows, with a
# picture of each). "Using Help" leaves the viewer in a message box of its own while Perch
# keeps painting; closing Perch leaves no viewer behind.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

help_source=$(dirname "$0")/../../src/res/perch_help.txt
viewer=MS_WINHELP  # the window class of the WinHelp viewer

# The title of the topic with that context name in the topic source.
topic_title() {
    awk -v name="$1" '$1 == "topic" && $2 == name { found = 1; next }
        found && $1 == "title" { sub(/^title /, ""); print; exit }' "$help_source"
}
# Waits until the viewer shows the topic (its title among the viewer's texts), keeps a
# picture of it and closes the viewer.
expect_topic() {  # expect_topic <context name> <picture name>
    local title texts start=$SECONDS
    title=$(topic_title "$1")
    [ -n "$title" ] || e2e_fail "the topic source has no topic $1"
    while :; do
        texts=$(od wintexts "$viewer" 5000 2>&1 | tr -d '\r') || true
        if grep -qF "$title" <<<"$texts"; then
            break
        fi
        [ $((SECONDS - start)) -lt 8 ] ||
            e2e_fail "the viewer does not show \"$title\" ($1); it shows: $(head -c 400 <<<"$texts")"
        sleep 0.3
    done
    sleep 0.5  # drawn after its texts are in place
    shot "$artefacts/$2.png"
    mogrify -crop 1024x768+0+0 +repage "$artefacts/$2.png"
    close_viewer
    echo "$2: the viewer shows \"$title\": ok"
}
# A click on the viewer's close box (Wine's viewer does not close on Alt+F4).
close_viewer() {
    local caption
    caption=$(od wintexts "$viewer" 1000 | head -n 1 | tr -d '\r')
    read_rect "$caption"
    pointer_to $((r_right - 12)) $((r_top + 12))
    xdotool click 1
    od nowindow "$viewer" 5000 >/dev/null || e2e_fail "the viewer did not close"
}
click_point() {  # click_point "<x> <y>"
    pointer_to "${1% *}" "${1#* }"
    xdotool click 1
}

perch_fresh_registry
mdi_start "Help Editor" "First document.txt" "Second document.txt"
perch_start
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
boxes=("First document.txt" "Second document.txt")
board_wait 2 "$(board_expect 2 "$(top_box)")" help-board 8

# F1 on the board.
perch_keys F1
expect_topic board help-f1-board

# F1 with each page of the properties sheet showing.
sheet=Properties
click_menu_item 1  # Properties...
wd wait "$sheet" 5000 >/dev/null || e2e_fail "no properties sheet"
for page in 0 1 2; do
    click_caption "$sheet"
    wait_foreground "$sheet"
    point=$(od tabpoint "$sheet" "$page") || e2e_fail "the sheet has no tab $page"
    click_point "$point"
    sleep 0.3
    xdotool key F1
    case $page in
        0) expect_topic page.settings help-f1-settings ;;
        1) expect_topic page.colors help-f1-colors ;;
        2) expect_topic page.excluded help-f1-excluded ;;
    esac
done
click_caption "$sheet"
wait_foreground "$sheet"
xdotool key --clearmodifiers Escape
wd gone "$sheet" 3000 >/dev/null || e2e_fail "the sheet stayed open after Escape"

# Shift+F1, then a click on the Tile Vert button (32788).
perch_keys shift+F1
sleep 0.3
point=$(od buttonpoint "$perch_title" 32788) || e2e_fail "no Tile Vert button"
click_point "$point"
expect_topic cmd.tile_vert help-shift-f1-tile-vert
[ "$(od docstate "$mdi_frame" "First document.txt")" = "0 0" ] ||
    e2e_fail "the click in help mode ran Tile Vert"

# F1 on a highlighted menu item: the first menu opened with a click, "Set font..." (the
# second item) highlighted with the arrow keys.
point=$(od menupoint "$perch_title") || e2e_fail "Perch shows no menu bar"
click_point "$point"
od popupmenu 10000 >/dev/null || e2e_fail "a click on the menu bar opened no menu"
xdotool key Down
sleep 0.2
xdotool key Down
sleep 0.2
xdotool key F1
expect_topic cmd.set_font help-f1-menu-item
! od popupmenu 500 >/dev/null 2>&1 || e2e_fail "the menu stayed open after F1"

# "Index" from the Help menu (Alt+H, I): the contents.
perch_keys alt+h
sleep 0.3
xdotool key i
expect_topic contents help-index

# Shift+F1, then another application comes to the front (from outside, as Alt+Tab would):
# the mode ends, and the next click on a box brings its document forward instead of
# opening a topic.
perch_keys shift+F1
poll_until 5 1 "Perch in Shift+F1 mode (its frame holding the capture)" od capture "$perch_title"
wd front "$mdi_frame" >/dev/null || e2e_fail "the test application did not come to the front"
wait_foreground "$mdi_frame"
top=$(top_box)
board_wait 2 "$(board_expect 2 "$top")" help-mode-left 8
other=$((1 - top))
left_click_box 2 "$other"
poll_until 5 "$other" "the box clicked after leaving Shift+F1 mode brought forward" top_box
! od wintexts "$viewer" 1000 >/dev/null 2>&1 || e2e_fail "a click after leaving Shift+F1 mode opened help"
echo "leaving Perch ends Shift+F1 mode; the next click acts: ok"

# "Using Help": the viewer sits in a message box about its own missing help file; Perch
# still paints, and closing Perch takes the viewer with it.
perch_keys alt+h
sleep 0.3
xdotool key u
# Wine's viewer has no help on help of its own: it asks about its missing file.
box=$(od msgbox ERROR 5000) || e2e_fail "no word from the viewer after Using Help"
grep -qF "winhelp.hlp" <<<"$box" || e2e_fail "the viewer's box after Using Help says: $box"
od repaint "$perch_title" "$perch_view_id" 3000 >/dev/null ||
    e2e_fail "Perch does not repaint while the viewer is up"
echo "Perch repaints while the viewer shows Using Help: ok"
perch_close_by_keyboard
od nomsgbox ERROR 8000 >/dev/null || e2e_fail "the viewer's box is left behind after Perch closed"
od nowindow "$viewer" 8000 >/dev/null || e2e_fail "a viewer is left behind after Perch closed"
echo "closing Perch leaves no viewer behind: ok"

# A viewer another program opened before Perch is not Perch's to close: Perch shows its
# own help (perhaps in that viewer) and exits, and that viewer is still there.
hlp_dir=$(dirname "$perch_exe")
(cd "$hlp_dir" && exec wine winhlp32 perch.hlp) >/dev/null 2>&1 </dev/null &
other_viewer=$!
od wintexts "$viewer" 10000 >/dev/null || e2e_fail "the other program's viewer did not open"
wait_foreground "Perch Help"  # the viewer comes up in front
drag_caption "Perch Help" 0 250  # out of the way of Perch's caption, which it would cover
perch_start
perch_keys F1
title=$(topic_title board)
start=$SECONDS
until od wintexts "$viewer" 2000 2>/dev/null | tr -d '\r' | grep -qF "$title"; do
    [ $((SECONDS - start)) -lt 10 ] || e2e_fail "F1 showed no board topic beside another viewer"
    sleep 0.3
done
read -r _ v_top _ < <(wd classrect MS_WINHELP)
[ "$v_top" -ge 200 ] || drag_caption "Perch Help" 0 250  # it went back over Perch
read_rect "$perch_title"
pointer_to $((r_right - 10)) $((r_top + 12))  # Perch's close box
xdotool click 1
e2e_wait_exit "$perch_pid" 10 || e2e_fail "perch.exe did not end after a click on its close box"
perch_pid=""
sleep 2  # the viewer would be gone by now if Perch closed it
kill -0 "$other_viewer" 2>/dev/null || e2e_fail "Perch ended the other program's viewer"
od wintexts "$viewer" 2000 >/dev/null || e2e_fail "Perch closed the other program's viewer"
echo "closing Perch leaves another program's viewer running: ok"
kill "$other_viewer" 2>/dev/null
od nowindow "$viewer" 8000 >/dev/null || true
echo "PASS"
