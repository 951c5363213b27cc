#!/usr/bin/env bash
# perch.exe starts, shows its frame within a bounded wait ("Perch", or "Roost" while it is
# narrow), and ends cleanly when the frame is closed: once by a posted WM_CLOSE, once by
# Alt+F4 from the keyboard.
source "$(dirname "$0")/lib.sh"
perch=$1
driver=$2

for how in message keyboard; do
    e2e_start "$perch"
    pid=$e2e_last_pid
    wine "$driver" wait "Perch|Roost" 10000 || e2e_fail "no Perch frame appeared ($how)"
    wine "$driver" front "Perch|Roost" || e2e_fail "could not bring the Perch frame to the front ($how)"
    if [ "$how" = message ]; then
        wine "$driver" close "Perch|Roost" || e2e_fail "could not post WM_CLOSE"
    else
        # Real input: a click on the caption gives the window X's keyboard focus and
        # makes it the foreground window, then Alt+F4 closes it.
        read -r left top right _ < <(wine "$driver" rect "Perch|Roost" | tr -d '\r')
        [ -n "$right" ] || e2e_fail "could not read the window rectangle"
        xdotool mousemove --sync $(((left + right) / 2)) $((top + 10)) click 1
        sleep 0.3
        xdotool key --clearmodifiers alt+F4
    fi
    e2e_wait_exit "$pid" 10 || e2e_fail "perch.exe still running 10 s after the close ($how)"
    [ "$e2e_exit_code" -eq 0 ] || e2e_fail "perch.exe exited with $e2e_exit_code ($how)"
    wine "$driver" gone "Perch|Roost" 2000 || e2e_fail "the Perch frame outlived its process"
    echo "closed by $how: ok"
done
