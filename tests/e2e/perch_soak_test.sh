#!/usr/bin/env bash
# perch.exe over time: it watches a test MDI application whose documents open, are
# retitled, activated and closed every 100 ms, while real input drives its commands in
# rounds (a left click on a box, a right click and a Ctrl+right click, Select All, Tile
# Vert, Minimize, the properties sheet opened and cancelled). After each round the soak
# driver samples what the process holds: GDI and USER objects, handles, private bytes
# (Windows' own counts; Wine answers 0 for them and the committed memory for the private
# bytes), and, from the host under Wine, the process's resident anonymous memory, where a
# leak of GDI objects or memory shows. The first sample comes
# after a first round, past start-up; the run fails when the last one has grown by more
# than a few objects or more than the memory bound, or when Perch no longer paints.
#   PERCH_SOAK_SECONDS (default 120) sets the length; scripts/soak.sh runs a long one.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"

seconds=${PERCH_SOAK_SECONDS:-120}
soak_driver=$(dirname "$window_driver")/soak_driver.exe
max_object_growth=8      # GDI objects, USER objects
max_handle_growth=16
max_memory_growth_kb=6144

# "<gdi> <user> <handles> <private KiB> <resident anonymous KiB (0 when not under Wine)>"
sample() {
    local counts anon=0
    counts=$(wine "$soak_driver" sample "$perch_title" | tr -d '\r') || return 1
    if [ -r "/proc/$perch_pid/status" ]; then
        anon=$(awk '/^RssAnon:/ { print $2 }' "/proc/$perch_pid/status")
    fi
    echo "$counts ${anon:-0}"
}

# A point inside the board view, a fraction of the way across and down.
board_point() {  # board_point <x percent> <y percent>
    read_view
    pointer_to $((view_left + (view_right - view_left) * $1 / 100)) \
        $((view_top + (view_bottom - view_top) * $2 / 100))
}

# A click on a caption that brings the window in front, tried again when it did not: under
# the churn Perch's frame is fitted to its changing board all the time (at once, now that
# window events bring the ticks forward), and a click may land as it moves. A frame that
# grew left over the application's may also lie under it at the X level, where Wine keeps
# the window activated last: every other try clicks the caption's right end instead, just
# left of its buttons.
front_by_caption() {  # front_by_caption <title>
    local attempt x
    for attempt in 1 2 3 4 5 6; do
        read_rect "$1"
        x=$((r_left + 30))
        if [ $((attempt % 2)) -eq 0 ] && [ $((r_right - 75)) -gt "$x" ]; then
            x=$((r_right - 75))
        fi
        pointer_to "$x" $((r_top + 12))
        xdotool click 1
        if od waitfg "$1" 5000 >/dev/null 2>&1; then
            return 0
        fi
    done
    e2e_fail "the foreground window is \"$(od foreground)\", expected \"$1\" after six clicks"
}
keys_to_perch() {
    front_by_caption "$perch_title"
    xdotool key --clearmodifiers "$@"
}

round() {
    front_by_caption "$mdi_frame"
    sleep 2  # a refresh fills the board with the documents of the moment
    board_point 10 10
    xdotool click 1                      # bring a document forward
    board_point 10 10
    xdotool click 3                      # select one box
    board_point 60 60
    xdotool keydown ctrl click 3 keyup ctrl  # and another
    keys_to_perch ctrl+v                 # Tile Vert
    front_by_caption "$mdi_frame"
    sleep 2
    keys_to_perch ctrl+a ctrl+m          # Select All, Minimize
    click_menu_item 1                    # Properties..., then Cancel
    wd wait Properties 10000 >/dev/null || e2e_fail "no properties sheet"
    front_by_caption Properties
    xdotool key --clearmodifiers Escape
    wd gone Properties 10000 >/dev/null || e2e_fail "the sheet stayed open after Escape"
}

perch_fresh_registry
mdi_start "Soak Editor" "One.txt" "Two.txt" "Three.txt"
perch_start
mdi churn 100
round
first=$(sample) || e2e_fail "no sample of perch.exe"
read -r g0 u0 h0 m0 a0 <<<"$first"
max_g=0 max_u=0 max_h=0 max_m=0 max_a=0 rounds=1
start=$SECONDS
while [ $((SECONDS - start)) -lt "$seconds" ]; do
    round
    rounds=$((rounds + 1))
    now=$(sample) || e2e_fail "perch.exe is gone after $rounds rounds"
    read -r g u h m a <<<"$now"
    echo "  round $rounds: $now"
    max_g=$(max "$max_g" $((g - g0)))
    max_u=$(max "$max_u" $((u - u0)))
    max_h=$(max "$max_h" $((h - h0)))
    max_m=$(max "$max_m" $((m - m0)))
    max_a=$(max "$max_a" $((a - a0)))
done
mdi churn 0
read -r g u h m a <<<"$now"
echo "soak over $((SECONDS - start)) s, $rounds rounds (gdi user handles private-KiB anon-KiB):"
echo "  first: $first"
echo "  last:  $now"
echo "  largest growth: $max_g $max_u $max_h $max_m $max_a;" \
    "at the end: $((g - g0)) $((u - u0)) $((h - h0)) $((m - m0)) $((a - a0))"
od repaint "$perch_title" "$perch_view_id" 5000 >/dev/null || e2e_fail "Perch no longer paints"
[ $((g - g0)) -le $max_object_growth ] || e2e_fail "GDI objects grew by $((g - g0))"
[ $((u - u0)) -le $max_object_growth ] || e2e_fail "USER objects grew by $((u - u0))"
[ $((h - h0)) -le $max_handle_growth ] || e2e_fail "handles grew by $((h - h0))"
[ $((m - m0)) -le $max_memory_growth_kb ] || e2e_fail "private memory grew by $((m - m0)) KiB"
[ $((a - a0)) -le $max_memory_growth_kb ] || e2e_fail "resident memory grew by $((a - a0)) KiB"
echo "no growth beyond the bounds over the soak: ok"
