# Helpers for the scripts that drive perch.exe as a user would: real mouse and key input
# with xdotool on the test display, results read from outside (outside_driver and
# window_driver, screenshots with ImageMagick, `wine reg query`). Sourced after lib.sh by a
# script called as: <script> <perch.exe> <mdi_app.exe> <window_driver.exe>
# <outside_driver.exe> <artefact folder>.
perch_exe=$1
mdi_exe=$2
window_driver=$3
outside_driver=$4
artefacts=$5
mkdir -p "$artefacts"
set -o pipefail

perch_root_key='HKCU\Software\Halden\Perch'
perch_title='Perch|Roost'
perch_view_id=59648
# The client width of the frame at its minimum width (90 pixels on a screen 810 to 1029
# pixels wide, such as the test prefix's 1024 x 768 desktop, less the sizing borders).
perch_min_client_width=82
perch_toolbar_id=59392
perch_pid=""
mdi_pid=""
mdi_frame=""

wd() { wine "$window_driver" "$@" 2>&1 | tr -d '\r'; }
od() { wine "$outside_driver" "$@" | tr -d '\r'; }

# Wine's background processes (the virtual desktop) start with the first program that
# needs them and would keep the pipe of that program's output open: start them here, on
# no pipe of ours.
wine "$window_driver" gone perch-warm-up 0 </dev/null >/dev/null 2>&1 || true

# A known start: no stored settings but a position beside the test MDI application (which
# opens at 20,20, 600x450) and no splash, whose dismissal would take the foreground from
# whatever a scenario brought to the front.
perch_fresh_registry() {
    wine reg delete "$perch_root_key" /f >/dev/null 2>&1 || true
    perch_reg_set Position "X Pos" REG_DWORD 650
    perch_reg_set Options Splash REG_DWORD 0
}

# A write that fails is tried twice more after a pause, and its error is shown if it never
# succeeds: one failed without a word on a loaded machine right after perch.exe had ended.
perch_reg_set() {  # perch_reg_set <section> <value name> <type> <data>
    local attempt out
    for attempt in 1 2 3; do
        if out=$(wine reg add "$perch_root_key\\$1" /v "$2" /t "$3" /d "$4" /f 2>&1); then
            return 0
        fi
        sleep "$attempt"
    done
    e2e_fail "could not set $1\\$2: $(tr -d '\r' <<<"$out" | tail -3)"
}

# Everything stored under the key, as `wine reg query /s` prints it ("" when it is absent).
perch_reg_dump() {
    wine reg query "${1:-$perch_root_key}" /s 2>/dev/null | tr -d '\r' | sed '/^$/d' || true
}

perch_start() {
    e2e_start "$perch_exe"
    perch_pid=$e2e_last_pid
    wd wait "$perch_title" 10000 >/dev/null || e2e_fail "no Perch frame within 10 s"
}

# Ends perch.exe by its process id (nothing is saved) and waits for its frame to go.
perch_kill() {
    if [ -n "$perch_pid" ]; then
        kill "$perch_pid" 2>/dev/null || true
        e2e_wait_exit "$perch_pid" 10 || e2e_fail "perch.exe outlived its kill"
        perch_pid=""
        wd gone "$perch_title" 5000 >/dev/null || e2e_fail "the Perch frame outlived its process"
    fi
}

# Closes Perch as a user would, with Alt+F4 on its frame (the exit save runs), and waits
# for its process to end.
perch_close_by_keyboard() {
    click_caption "$perch_title"
    wait_foreground "$perch_title"
    xdotool key --clearmodifiers alt+F4
    e2e_wait_exit "$perch_pid" 10 || e2e_fail "perch.exe did not end after Alt+F4"
    perch_pid=""
}

mdi_start() {  # mdi_start <frame title> [document title...]
    mdi_frame=$1
    e2e_start "$mdi_exe" "$@"
    mdi_pid=$e2e_last_pid
    wd wait "$mdi_frame" 10000 >/dev/null || e2e_fail "the test MDI application did not open"
    # Its frame shows before its documents open: wait for every one of them.
    poll_until 20 "$(($# - 1))" "documents open in \"$mdi_frame\"" eval 'od docs "$mdi_frame" | wc -l'
}

mdi_kill() {
    if [ -n "$mdi_pid" ]; then
        kill "$mdi_pid" 2>/dev/null || true
        e2e_wait_exit "$mdi_pid" 10 || e2e_fail "mdi_app.exe outlived its kill"
        mdi_pid=""
    fi
}

# A command of the test MDI application itself (not of Perch).
mdi() {
    od mdi "$mdi_frame" "$@" >/dev/null || e2e_fail "the test MDI application refused: $*"
}

# Moves the pointer and waits until it is there. (xdotool's --sync waits for a motion that
# never comes when the pointer is already in place.)
# Reading the pointer's place fails now and then when the window under it is just going
# away (BadWindow); then it is simply moved.
pointer_to() {
    local X="" Y=""
    eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=')"
    if [ "$X" != "$1" ] || [ "$Y" != "$2" ]; then
        xdotool mousemove --sync "$1" "$2"
    fi
}

# A click in the middle of a control of a dialog or property sheet.
click_control() {  # click_control <window title> <control id>
    local r cl ct cr cb
    r=$(od ctlrect "$1" "$2") || e2e_fail "\"$1\" shows no control $2"
    read -r cl ct cr cb <<<"$r"
    pointer_to $(((cl + cr) / 2)) $(((ct + cb) / 2))
    xdotool click 1
}

read_rect() {  # read_rect <title>: the window rectangle into r_left, r_top, r_right, r_bottom
    local r
    r=$(od rect "$1") || e2e_fail "no window \"$1\""
    read -r r_left r_top r_right r_bottom <<<"$r"
}

# A click on the caption bar, left of the caption buttons and right of the system-menu
# icon: it makes the window the foreground window and gives it X's keyboard focus, which
# keys typed afterwards need.
click_caption() {
    read_rect "$1"
    pointer_to $((r_left + 30)) $((r_top + 12))
    xdotool click 1
}

wait_foreground() {  # wait_foreground <title> [ms]
    od waitfg "$1" "${2:-20000}" >/dev/null 2>&1 ||
        e2e_fail "the foreground window is \"$(od foreground)\", expected \"$1\""
}

# Perch in front with the keyboard: its caption clicked, then the keys typed.
perch_keys() {
    click_caption "$perch_title"
    wait_foreground "$perch_title"
    xdotool key --clearmodifiers "$@"
}

# The board view's screen rectangle into view_left, view_top, view_right, view_bottom.
read_view() {
    local r
    r=$(wd childrect "$perch_title" "$perch_view_id") || e2e_fail "Perch has no board view"
    read -r view_left view_top view_right view_bottom <<<"$r"
}

# The most columns the board lays out (Max Columns) and the name board_read gives the
# background colour: what a fresh start has, unless a script sets them.
grid_max_cols=2
board_bg=G

# The grid of <n> boxes, at most grid_max_cols columns, filled column by column: its rows,
# columns and one box's size, from the view's size (Auto Size fits the view to the grid).
grid_of() {
    local n=$1
    grid_rows=$(((n + grid_max_cols - 1) / grid_max_cols))
    grid_cols=1
    if [ "$grid_rows" -gt 0 ]; then
        grid_cols=$(((n + grid_rows - 1) / grid_rows))
    fi
    read_view
    box_width=$(((view_right - view_left) / grid_cols))
    box_height=$(((view_bottom - view_top) / (grid_rows > 0 ? grid_rows : 1)))
}

# The screen point in the middle of box <i> of <n> into box_x, box_y.
box_point() {
    grid_of "$1"
    box_x=$((view_left + ($2 / grid_rows) * box_width + box_width / 2))
    box_y=$((view_top + ($2 % grid_rows) * box_height + box_height / 2))
}

right_click_box() {
    box_point "$1" "$2"
    pointer_to "$box_x" "$box_y"
    xdotool click 3
}
ctrl_right_click_box() {
    box_point "$1" "$2"
    pointer_to "$box_x" "$box_y"
    xdotool keydown ctrl
    xdotool click 3
    xdotool keyup ctrl
}
right_double_click_box() {
    box_point "$1" "$2"
    pointer_to "$box_x" "$box_y"
    xdotool click --repeat 2 --delay 100 3
}
left_click_box() {
    box_point "$1" "$2"
    pointer_to "$box_x" "$box_y"
    xdotool click 1
}

shot() {  # shot <file>: the whole display
    import -window root "$1" 2>/dev/null || e2e_fail "no screenshot of the display"
}

# Keeps a picture of the desktop and one of the Perch frame for a person to look at.
keep_pictures() {  # keep_pictures <name>
    shot "$artefacts/$1-desktop.png"
    mogrify -crop 1024x768+0+0 +repage "$artefacts/$1-desktop.png"  # the Wine desktop
    read_rect "$perch_title"
    convert "$artefacts/$1-desktop.png" -crop "$((r_right - r_left))x$((r_bottom - r_top))+$r_left+$r_top" \
        +repage "$artefacts/$1-perch.png"
}

# What the board shows for <n> boxes (two or more), from a screenshot: "ok" when the grid
# lines lie where a grid of that many rows and columns puts them and the view fits the grid
# (else "bad(...)"), then for each box of the grid, column by column, the colour that fills
# it (W white focus, S cyan selection, G the grey background, else the colour) and "t"
# when it holds text, "-" when it is empty. A box's size is read off the first grid lines;
# a single row can be lower than the view, which keeps the frame's minimum height.
board_read() {
    local n=$1 file=${2:-/tmp/perch-board-$$.png}
    grid_of "$n"
    shot "$file"
    local width=$((view_right - view_left)) height=$((view_bottom - view_top))
    if [ "$width" -lt 4 ] || [ "$height" -lt 4 ]; then
        echo "bad(the view is ${width}x$height: no room for a box)"
        return
    fi
    convert "$file" -crop "${width}x$height+$view_left+$view_top" +repage txt:- 2>/dev/null |
        awk -F'[,:() ]+' -v rows="$grid_rows" -v cols="$grid_cols" -v w="$width" -v h="$height" \
            -v minw="$perch_min_client_width" '
        NR > 1 { hex[$1 "," $2] = $3 * 65536 + $4 * 256 + $5; dark[$1 "," $2] = ($3 + $4 + $5 < 150) }
        END {
            shadow = 127 * 65536 + 127 * 256 + 127
            # Row lines are looked for at x = 1 and column lines at y = 1, outside every text.
            bh = h; for (y = h - 1; y > 0; y--) if (hex["1," y] == shadow) bh = y
            bw = w; for (x = w - 1; x > 0; x--) if (hex[x ",1"] == shadow) bw = x
            status = "ok"
            for (y = 1; y < h; y++)
                if ((hex["1," y] == shadow) != (y % bh == 0 && y <= rows * bh))
                    status = "bad(row line at y=" y ")"
            for (x = 1; x < w; x++)
                if ((hex[x ",1"] == shadow) != (cols > 1 && x % bw == 0 && x <= cols * bw))
                    status = "bad(column line at x=" x ")"
            # Auto Size fits the view to the grid, unless the frame is at its minimum size.
            if (rows > 1 && rows * bh != h) status = "bad(view " h " high for " rows " rows of " bh ")"
            if (cols > 1 && cols * bw != w && w > minw)
                status = "bad(view " w " wide for " cols " columns of " bw ")"
            out = status
            for (s = 0; s < rows * cols; s++) {
                left = int(s / rows) * bw; top = (s % rows) * bh
                split("", count); best = ""; text = "-"
                for (y = top + 2; y < top + bh - 1; y++)
                    for (x = left + 2; x < left + bw - 1; x++) {
                        c = hex[x "," y]; count[c]++
                        if (best == "" || count[c] > count[best]) best = c
                        if (dark[x "," y]) text = "t"
                    }
                if (best == 16777215) name = "W"
                else if (best == 65535) name = "S"
                else if (best == 12632256) name = "G"
                else name = sprintf("#%06X", best)
                out = out " " name text
            }
            print out
        }'
}

# How many dark (text) pixels the board view shows.
board_text_pixels() {
    local file=/tmp/perch-view-$$.png
    read_view
    shot "$file"
    convert "$file" -crop "$((view_right - view_left))x$((view_bottom - view_top))+$view_left+$view_top" \
        +repage txt:- | awk -F'[,:() ]+' 'NR > 1 && $3 + $4 + $5 < 150 { n++ } END { print n + 0 }'
    rm -f "$file"
}

# Polls the board until it reads <expected> (see board_read), for up to <seconds>; keeps
# the last picture as an artefact named <name> when it does not.
board_wait() {  # board_wait <n> <expected> <name> [seconds]
    local n=$1 expected=$2 name=$3 limit=${4:-6} got="" start=$SECONDS
    while :; do
        got=$(board_read "$n" "$artefacts/$name-last.png")
        if [ "$got" = "$expected" ]; then
            rm -f "$artefacts/$name-last.png"
            return 0
        fi
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            e2e_fail "$name: the board reads \"$got\", expected \"$expected\" (picture: $artefacts/$name-last.png)"
        fi
        sleep 0.2
    done
}

# The expected board_read of <n> boxes with the focus box <focus> (-1: none) and the
# selected boxes <selected...>: selection is drawn over the focus.
board_expect() {
    local n=$1 focus=$2 s rows cols out="ok" fill
    shift 2
    rows=$(((n + grid_max_cols - 1) / grid_max_cols))
    cols=$(((n + rows - 1) / rows))
    for ((s = 0; s < rows * cols; s++)); do
        fill=$board_bg
        if [ "$s" -eq "$focus" ]; then fill=W; fi
        if [[ " $* " == *" $s "* ]]; then fill=S; fi
        if [ "$s" -lt "$n" ]; then out+=" ${fill}t"; else out+=" ${fill}-"; fi
    done
    echo "$out"
}

# Polls a command until its output equals <expected>, for up to <seconds>.
poll_until() {  # poll_until <seconds> <expected> <what> <command...>
    local limit=$1 expected=$2 what=$3 got="" start=$SECONDS
    shift 3
    while :; do
        got=$("$@" 2>&1)
        if [ "$got" = "$expected" ]; then
            return 0
        fi
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            e2e_fail "$what: got \"$got\", expected \"$expected\""
        fi
        sleep 0.2
    done
}

max() { echo $(($1 > $2 ? $1 : $2)); }

# The test MDI application's documents, by title.
expect_rect() {  # expect_rect <document> "<left top right bottom>" <what>
    poll_until 5 "$2" "$1 (left top right bottom in its MDI client) $3" od docrect "$mdi_frame" "$1"
}
expect_state() {  # expect_state <document> "<iconic> <zoomed>" <what>
    poll_until 5 "$2" "$1 (iconic zoomed) $3" od docstate "$mdi_frame" "$1"
}
doc_rects() {  # the rectangles of the documents named in the array boxes, a line each
    local d
    for d in "${boxes[@]}"; do
        od docrect "$mdi_frame" "$d"
    done
}

# The box of the application's active document (the top one of its MDI client), with the
# board's titles in the array boxes; -1 when it is none of them.
top_box() {
    local top i
    top=$(od docs "$mdi_frame" | head -n 1)
    for i in "${!boxes[@]}"; do
        if [ "${boxes[$i]}" = "$top" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

select_boxes() {  # select_boxes <n> <box> [<box>...]: a right click, then Ctrl+right clicks
    local n=$1 first=$2 box
    shift 2
    right_click_box "$n" "$first"
    for box in "$@"; do
        ctrl_right_click_box "$n" "$box"
    done
    board_wait "$n" "$(board_expect "$n" "$(top_box)" "$first" "$@")" "select-$first-$*"
}

# Opens the first menu of Perch's menu bar with a click and clicks its <k>-th item (from
# 1, separators not counted). The items are found in the picture of the open menu: each is
# a band of rows holding dark text (a mnemonic's underline joins its item's band).
click_menu_item() {  # click_menu_item <k>
    local point r left top right bottom center file=/tmp/perch-menu-$$.png
    point=$(od menupoint "$perch_title") || e2e_fail "Perch shows no menu bar"
    pointer_to "${point% *}" "${point#* }"
    xdotool click 1
    r=$(od popupmenu 10000) || e2e_fail "a click on the menu bar opened no menu"
    read -r left top right bottom <<<"$r"
    sleep 0.3  # the menu is drawn after it is shown
    shot "$file"
    center=$(convert "$file" -crop "$((right - left - 30))x$((bottom - top))+$((left + 20))+$top" \
        +repage txt:- | awk -F'[,:() ]+' -v k="$1" '
        NR > 1 { if ($3 + $4 + $5 < 250) dark[$2] = 1; if ($2 > h) h = $2 }
        END {
            n = 0; last = -10
            for (y = 0; y <= h; y++) {
                if (!dark[y]) continue
                if (y - last > 3) { n++; first[n] = y }
                end[n] = y; last = y
            }
            if (k <= n) print int((first[k] + end[k]) / 2)
        }')
    rm -f "$file"
    [ -n "$center" ] || e2e_fail "the open menu has no item $1"
    pointer_to $((left + 40)) $((top + center))
    xdotool click 1
    ! od popupmenu 500 >/dev/null 2>&1 || e2e_fail "the menu stayed open after a click on item $1"
}

# Drags the window by its caption with the left button, in steps as a hand would.
drag_caption() {  # drag_caption <title> <dx> <dy>
    local x y i steps=10
    read_rect "$1"
    x=$((r_left + 30))
    y=$((r_top + 12))
    pointer_to "$x" "$y"
    xdotool mousedown 1
    for ((i = 1; i <= steps; i++)); do
        pointer_to $((x + $2 * i / steps)) $((y + $3 * i / steps))
        sleep 0.05
    done
    xdotool mouseup 1
}

