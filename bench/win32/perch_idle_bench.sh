#!/usr/bin/env bash
# perch.exe as a whole under Wine, in one run: its CPU time while it watches an unchanged
# MDI application with 100 documents, against the bare walk over the same 100 windows
# every 1.5 s (bare_walk.h) over as many periods (the ratio); the time from its start to
# the first paint of its board; its paints over unchanged ticks. Measured over 90 s, not
# 30: one tick's cost varies by a fifth from the next, and 60 of them give the ratio to a
# few hundredths. Run by scripts/bench.sh with the private display and prefix set up.
#   perch_idle_bench.sh <win32 build dir>
set -uo pipefail
win32=$1
seconds=${PERCH_IDLE_SECONDS:-90}

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

# All three run side by side and are sampled together every 50 ms. A window of 30 s holds
# 20 or 21 ticks depending on where it falls, which alone moves a ratio by 5 %; so each
# one's cost is read over exactly the same number of whole periods: from the sample before its
# first tick to the sample before the tick after the last (a tick is a rise in its CPU
# time; samples rising in a row are one tick). The first rise seen is left out: it may
# be the end of the walker's start-up.
periods=$(( seconds * 1000 / 1500 ))
wine "$win32/bench/win32/walk_baseline.exe" "Idle Editor" $((seconds + 8)) 1500 \
    >/dev/null 2>&1 </dev/null &
walker=$!
pids+=("$walker")
# The walk as ticks once made it, a visibility query for each document, for comparison.
wine "$win32/bench/win32/walk_baseline.exe" "Idle Editor" $((seconds + 8)) 1500 visibility \
    >/dev/null 2>&1 </dev/null &
old_walker=$!
pids+=("$old_walker")
samples=$(mktemp)
sleep 1
end_at=$(( $(date +%s) + seconds + 6 ))
while [ "$(date +%s)" -lt "$end_at" ]; do
    p=$(cpu_ns "$perch") || { echo "perch.exe ended during the measurement" >&2; exit 1; }
    w=$(cpu_ns "$walker") || { echo "the baseline walk ended early" >&2; exit 1; }
    o=$(cpu_ns "$old_walker") || { echo "the comparison walk ended early" >&2; exit 1; }
    echo "$p $w $o" >>"$samples"
    [ -n "${PERCH_IDLE_SAMPLES:-}" ] && echo "$p $w $o" >>"$PERCH_IDLE_SAMPLES"
    sleep 0.05
done
wait "$walker" "$old_walker"

# whole_periods <column>: the CPU time in us over $periods whole periods of that column.
whole_periods() {
    awk -v col="$1" -v n="$periods" '
        { cpu[NR] = $col }
        END {
            ticks = 0
            for (i = 2; i <= NR; ++i) {
                rising = cpu[i] - cpu[i - 1] > 50000    # 50 us: more than the loop at rest
                if (rising && !was) { start[++ticks] = i - 1 }
                was = rising
            }
            if (ticks < n + 2) { print "-1"; exit }
            printf "%d\n", (cpu[start[n + 2]] - cpu[start[2]]) / 1000
        }' "$samples"
}
perch_us=$(whole_periods 1)
walk_us=$(whole_periods 2)
old_us=$(whole_periods 3)
rm -f "$samples"
if [ "$perch_us" -lt 0 ] || [ "$walk_us" -lt 0 ] || [ "$old_us" -lt 0 ]; then
    echo "fewer than $((periods + 2)) ticks seen in $((seconds + 6)) s: no idle figure" >&2
    exit 1
fi

echo "== idle cost over ${periods} periods of 1.5 s (${seconds} s) with 100 unchanged documents"
echo "perch.exe ${perch_us} us CPU, bare walk every 1.5 s ${walk_us} us CPU," \
    "walk with a visibility query per document ${old_us} us CPU"
awk -v p="$perch_us" -v w="$walk_us" -v o="$old_us" 'BEGIN {
    if (w < 1) w = 1
    if (o < 1) o = 1
    printf "perch idle ratio at 100: perch/bare walk = %.2f (target at most 1.05); " \
           "against the walk with a visibility query per document %.2f\n", p / w, p / o }'

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
