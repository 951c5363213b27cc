#!/usr/bin/env bash
# perch.exe as a whole under Wine, in one run: its CPU time while it watches an unchanged
# MDI application with 100 documents for 30 s, against the bare walk over the same 100
# windows every 1.5 s for 30 s (the ratio), and the time from its start to the first
# paint of its board. Run by scripts/bench.sh with the private display and prefix set up.
#   perch_idle_bench.sh <win32 build dir>
set -uo pipefail
win32=$1
seconds=${PERCH_IDLE_SECONDS:-30}

# CPU time of a process so far in nanoseconds, summed over its threads (the scheduler's
# own accounting in /proc/<pid>/task/*/schedstat): clock ticks of 10 ms cannot tell a
# program that wakes every 1.5 s from one that does a little more.
cpu_ns() {
    [ -d "/proc/$1" ] || return 1
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%d\n", n }'
}

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

wine reg delete 'HKCU\Software\Halden\Perch' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Halden\Perch\Options' /v Splash /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Halden\Perch\Position' /v 'X Pos' /t REG_DWORD /d 900 /f >/dev/null 2>&1

echo "== time to the first paint (warm wineserver)"
wine "$win32/bench/win32/first_paint.exe" "$(winepath -w "$win32/perch.exe")" </dev/null

docs=()
for i in $(seq -w 1 100); do docs+=("Document $i.txt"); done
wine "$win32/tests/e2e/mdi_app.exe" "Idle Editor" "${docs[@]}" >/dev/null 2>&1 &
pids+=($!)
wine "$win32/tests/e2e/window_driver.exe" wait "Idle Editor" 20000 >/dev/null 2>&1
wine "$win32/perch.exe" >/dev/null 2>&1 &
perch=$!
pids+=("$perch")
wine "$win32/tests/e2e/window_driver.exe" wait "Perch|Roost" 20000 >/dev/null 2>&1
wine "$win32/tests/e2e/window_driver.exe" front "Idle Editor" >/dev/null 2>&1
sleep 5  # the board fills and the frame fits it

before=$(cpu_ns "$perch")
sleep "$seconds"
after=$(cpu_ns "$perch")
perch_us=$(( (after - before) / 1000 ))

# The walker runs a little longer than the window measured, so that its start-up is not
# in it; both sides are read from the same process accounting.
wine "$win32/bench/win32/walk_baseline.exe" "Idle Editor" $((seconds + 3)) 1500 >/dev/null 2>&1 </dev/null &
walker=$!
pids+=("$walker")
sleep 1
wbefore=$(cpu_ns "$walker") || { echo "the baseline walk did not run" >&2; exit 1; }
sleep "$seconds"
wafter=$(cpu_ns "$walker") || { echo "the baseline walk ended early" >&2; exit 1; }
walk_us=$(( (wafter - wbefore) / 1000 ))
wait "$walker"

echo "== idle cost over ${seconds} s with 100 unchanged documents"
echo "perch.exe ${perch_us} us CPU, bare walk every 1.5 s ${walk_us} us CPU"
awk -v p="$perch_us" -v w="$walk_us" 'BEGIN {
    if (w < 1) w = 1
    printf "perch idle ratio at 100: perch/bare walk = %.2f (target at most 1.05)\n", p / w }'

# Paints over 100 unchanged ticks: a second run with a 0.5 s interval, Wine's "win" trace
# channel logging every BeginPaint of perch.exe's windows.
kill "$perch" 2>/dev/null; wait "$perch" 2>/dev/null
wine reg add 'HKCU\Software\Halden\Perch\Options' /v Update /t REG_DWORD /d 500 /f >/dev/null 2>&1
trace=$(mktemp)
WINEDEBUG=trace+win wine "$win32/perch.exe" >/dev/null 2>"$trace" &
perch=$!
pids+=("$perch")
wine "$win32/tests/e2e/window_driver.exe" wait "Perch|Roost" 20000 >/dev/null 2>&1
wine "$win32/tests/e2e/window_driver.exe" front "Idle Editor" >/dev/null 2>&1
sleep 5
paints_before=$(grep -c 'NtUserBeginPaint' "$trace")
sleep 50
paints_after=$(grep -c 'NtUserBeginPaint' "$trace")
rm -f "$trace"
echo "== paints over 100 unchanged ticks (0.5 s each): $((paints_after - paints_before)) (target 0)"
wine reg delete 'HKCU\Software\Halden\Perch' /f >/dev/null 2>&1
