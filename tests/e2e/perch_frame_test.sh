#!/usr/bin/env bash
# perch.exe's frame as a user meets it: the caption "Roost" while the board is narrow and
# "Perch" when it is wide; Smart visibility (topmost while the application in front shows
# two or more documents, at the bottom with fewer); a second start hands over to the
# running instance and ends without a window and without touching the registry; a start
# with the splash on; and the exit save, with "Save Opts on Exit" on (the position of a
# frame dragged by its caption is stored) and turned off through the menu (only "Save").
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

client_width() {
    local r left top right bottom
    r=$(od client "$perch_title") || e2e_fail "no Perch frame"
    read -r left top right bottom <<<"$r"
    echo $((right - left))
}
caption_is() {  # caption_is <Perch|Roost> <what>
    poll_until 6 1 "frames captioned $1 $2" od count "$1"
}

# --- Caption and Smart visibility. ---
perch_fresh_registry
perch_start
caption_is Roost "with an empty board"
[ "$(client_width)" -le 130 ] || e2e_fail "the caption is Roost at a client width of $(client_width)"
[ "$(board_text_pixels)" -eq 0 ] || e2e_fail "the board shows text before any application was in front"
mdi_start "Smart Editor" A
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
poll_until 6 yes "the board showing the title A" eval '[ "$(board_text_pixels)" -gt 0 ] && echo yes'
caption_is Roost "with one short title"
echo "one short title: caption Roost at a client width of $(client_width): ok"

long="A much longer document title.txt"
mdi add "$long"
poll_until 6 1 "Perch topmost (1) with two documents in front" wd topmost "$perch_title"
caption_is Perch "with a long title"
[ "$(client_width)" -gt 130 ] || e2e_fail "the caption is Perch at a client width of $(client_width)"
keep_pictures smart-two-documents
echo "two documents, one long: caption Perch at a client width of $(client_width), topmost: ok"

# Fitting the frame to a changed board clears the record that Perch made itself topmost, and
# only a tick with that record set pushes the frame down; two quiet ticks set it again.
sleep 3.2
mdi close "$long"
poll_until 6 0 "Perch topmost (1) with one document in front again" wd topmost "$perch_title"
poll_until 6 "0 Roost" "the last (bottom) window of the z-order" eval 'wd zorder - | tail -n 1'
caption_is Roost "with one short title again"
echo "back to one document: at the bottom, not topmost, caption Roost: ok"

# --- A second start hands over to the running instance. ---
click_caption "$perch_title"
wait_foreground "$perch_title"
xdotool key --clearmodifiers alt+space
sleep 0.5
xdotool key n  # the window menu's "Minimize"
poll_until 5 1 "Perch minimized (1) from its window menu" od iconic "$perch_title"
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
# With no key at all, a second instance that read its settings would create the keys.
wine reg delete 'HKCU\Software\Halden' /f >/dev/null 2>&1 || true
before=$(perch_reg_dump 'HKCU\Software\Halden')
e2e_start "$perch_exe"
second=$e2e_last_pid
frames_seen=1
while kill -0 "$second" 2>/dev/null; do
    frames_seen=$(max "$frames_seen" "$(od count "$perch_title")")
    sleep 0.05
done
e2e_wait_exit "$second" 10 || e2e_fail "the second perch.exe did not end"
[ "$frames_seen" -eq 1 ] || e2e_fail "the second perch.exe showed a frame of its own"
[ "$(od count "$perch_title")" -eq 1 ] || e2e_fail "two Perch frames after the second start"
after=$(perch_reg_dump 'HKCU\Software\Halden')
[ "$before" = "$after" ] || e2e_fail "the second perch.exe touched the registry: \"$before\" -> \"$after\""
poll_until 5 0 "the running Perch minimized (1) after the hand-over" od iconic "$perch_title"
wait_foreground "$perch_title"
kill -0 "$perch_pid" 2>/dev/null || e2e_fail "the running perch.exe ended"
echo "second start: the running frame restored and in front, no second frame, registry untouched: ok"
perch_kill
mdi_kill

# --- With the splash on, a start shows it and takes it down again. ---
perch_fresh_registry
wine reg delete "$perch_root_key\\Options" /v Splash /f >/dev/null 2>&1 || e2e_fail "no Splash value to remove"
perch_start
od splash "$perch_title" 5000 >/dev/null || e2e_fail "no splash window owned by the frame"
od nosplash "$perch_title" 6000 >/dev/null || e2e_fail "the splash window stayed"
wait_foreground "$perch_title"
echo "splash shown at start and taken down, the frame in front: ok"

# --- Exit save with "Save Opts on Exit" on: the dragged frame's rectangle. ---
read_rect "$perch_title"
from_left=$r_left
from_top=$r_top
drag_caption "$perch_title" -150 200
poll_until 5 "$((from_left - 150)) $((from_top + 200))" "the frame's top left after dragging its caption" \
    eval 'od rect "$perch_title" | cut -d" " -f1,2'
read_rect "$perch_title"
perch_close_by_keyboard
expect_reg() {  # expect_reg <section> <value name> <number>
    local got
    got=$(e2e_reg_value "$perch_root_key\\$1" "$2")
    [ "$got" = "REG_DWORD $(printf '0x%x' "$3")" ] || e2e_fail "$1\\$2 is \"$got\", expected $3"
}
expect_reg Position "X Pos" "$r_left"
expect_reg Position "Y Pos" "$r_top"
expect_reg Position "X Size" $((r_right - r_left))
expect_reg Position "Y Size" $((r_bottom - r_top))
for section in Font Options Colors; do
    written=$(perch_reg_dump "$perch_root_key\\$section" | grep REG_ || true)
    [ -z "$written" ] || e2e_fail "unchanged $section values were written: $written"
done
echo "exit with Save on: position $r_left,$r_top and size stored, nothing else: ok"

# --- "Save Opts on Exit" turned off through the menu: only Save is written. ---
perch_fresh_registry
perch_start
before=$(perch_reg_dump)
click_menu_item 3  # Properties..., Set font..., Save Opts on Exit
drag_caption "$perch_title" 100 150
perch_close_by_keyboard
after=$(perch_reg_dump)
[ "$(e2e_reg_value "$perch_root_key\\Options" Save)" = "REG_DWORD 0x0" ] ||
    e2e_fail "Options\\Save is not 0 after turning \"Save Opts on Exit\" off"
[ "$(grep -v '^    Save    REG_DWORD    0x0$' <<<"$after")" = "$before" ] ||
    e2e_fail "with Save off more than Save was written: \"$before\" -> \"$after\""
echo "exit with Save turned off in the menu: only Save=0 written: ok"

# --- A stored size of 2147483647 with Auto Size off: the frame comes up inside the
# 1024 x 768 desktop and answers at once. ---
perch_fresh_registry
perch_reg_set Options Resize REG_DWORD 0
perch_reg_set Position "X Size" REG_DWORD 2147483647
perch_reg_set Position "Y Size" REG_DWORD 2147483647
perch_start
inside_desktop() {
    read_rect "$perch_title"
    if [ "$r_left" -ge 0 ] && [ "$r_top" -ge 0 ] && [ "$r_right" -le 1024 ] && [ "$r_bottom" -le 768 ]; then
        echo yes
    else
        echo "$r_left $r_top $r_right $r_bottom"
    fi
}
poll_until 10 yes "the frame with a stored size of 2147483647 inside the desktop" inside_desktop
od repaint "$perch_title" "$perch_view_id" 3000 >/dev/null ||
    e2e_fail "Perch with a stored size of 2147483647 does not repaint its board"
keep_pictures frame-huge-size
echo "a stored size of 2147483647: the frame as large as the desktop, answering: ok"
perch_close_by_keyboard

# --- The caption stored above the top edge: brought down, and it can be dragged by its
# caption. ---
perch_fresh_registry
perch_reg_set Options SmartPos REG_DWORD 0
perch_reg_set Position "Y Pos" REG_DWORD 4294967246  # -50
perch_start
read_rect "$perch_title"
[ "$r_top" -ge 0 ] || e2e_fail "the frame's top is at $r_top, above the desktop"
before_left=$r_left
drag_caption "$perch_title" -200 120
moved() {
    read_rect "$perch_title"
    [ "$r_left" -eq $((before_left - 200)) ] && echo yes || echo "$r_left $r_top"
}
poll_until 5 yes "the frame dragged 200 pixels left by its caption" moved
echo "a caption stored above the top edge comes down and can be dragged: ok"
perch_close_by_keyboard
