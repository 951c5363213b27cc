#!/usr/bin/env bash
# perch.exe in "Microsoft Word" with a maximized document: Ctrl+Z and Ctrl+M are refused with
# a message box captioned "Perch", nothing moves, the application comes to the front and
# the selection stays, so Ctrl+Z again shows the message again. Close still works.
#
# A refresh tick while the message box is in front empties the board (the message box is
# neither the watched application nor Perch's frame), selection included; so each command
# is typed just after a tick, with ticks 5 s apart, and the message dismissed at once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

perch_fresh_registry
perch_reg_set Options Update REG_DWORD 5000
mdi_start "Microsoft Word - Letters" A.DOC B.DOC C.DOC D.DOC
boxes=(A.DOC B.DOC C.DOC D.DOC)
mdi maximize B.DOC
perch_start
click_caption "$mdi_frame"
wait_foreground "$mdi_frame"
board_wait 4 "$(board_expect 4 1)" word-board 12
refusal="You cannot perform this operation in this application with a maximized window present.  Restore the maximized window and try again."

# Returns just after a refresh tick: the application in front makes another document
# active, and the tick moves the focus box to it.
after_tick() {  # after_tick <box> <selected box...>
    local box=$1
    shift
    click_caption "$mdi_frame"
    wait_foreground "$mdi_frame"
    mdi activate "${boxes[$box]}"
    board_wait 4 "$(board_expect 4 "$box" "$@")" "tick-to-$box" 8
}

# Types <key> in Perch and expects the refusal, dismissed with Enter; nothing moves.
expect_refusal() {  # expect_refusal <key> <what>
    local before after text
    before=$(doc_rects)
    perch_keys "$1"
    text=$(od msgbox Perch 5000) || e2e_fail "$2: no message box captioned \"Perch\""
    [ "$text" = "$refusal" ] || e2e_fail "$2: the message box says \"$text\""
    keep_pictures "refusal-$1"
    # A key typed while the box is still taking the keyboard focus can be lost on a loaded
    # machine: Enter once more before giving up.
    xdotool key Return
    if ! od nomsgbox Perch 3000 >/dev/null; then
        xdotool key Return
        od nomsgbox Perch 5000 >/dev/null || e2e_fail "$2: Enter did not dismiss the message box"
    fi
    wait_foreground "$mdi_frame"
    after=$(doc_rects)
    [ "$before" = "$after" ] || e2e_fail "$2: documents moved: $before -> $after"
}

select_boxes 4 0 2
after_tick 3 0 2
expect_refusal ctrl+z "Ctrl+Z"
board_wait 4 "$(board_expect 4 3 0 2)" refused-selection-kept
[ "$(od docstate "$mdi_frame" D.DOC)" = "0 1" ] || e2e_fail "the maximized document did not stay maximized"
echo "Ctrl+Z with a maximized document in Microsoft Word: refused with the message, selection kept: ok"

after_tick 1 0 2
expect_refusal ctrl+z "Ctrl+Z again"
board_wait 4 "$(board_expect 4 1 0 2)" refused-again-selection-kept
echo "Ctrl+Z again: refused again: ok"

after_tick 3 0 2
expect_refusal ctrl+m "Ctrl+M"
for d in A.DOC C.DOC; do
    [ "$(od docstate "$mdi_frame" "$d")" = "0 0" ] || e2e_fail "Ctrl+M minimized $d although refused"
done
board_wait 4 "$(board_expect 4 3 0 2)" minimize-refused-selection-kept
echo "Ctrl+M with a maximized document in Microsoft Word: refused: ok"

# Close makes no such check.
select_boxes 4 2
perch_keys ctrl+c
poll_until 5 "$(printf '%s\n' A.DOC B.DOC D.DOC)" "documents after Ctrl+C" \
    eval 'od docs "$mdi_frame" | sort'
echo "Ctrl+C closes a document of Microsoft Word with a maximized document present: ok"
