#!/usr/bin/env bash
# perch.exe under Wine: the time from a change the test MDI application makes (a document
# opened, retitled, activated, closed; another application in front) to Perch's board
# showing it, median and 95th percentile over PERCH_LATENCY_CHANGES (50) changes of each
# kind, with window events and then with the timer alone (PERCH_WINDOW_EVENTS=0), both at
# the default Update of 1.5 s. Each change waits a random time below 1.5 s first, so that it
# falls anywhere between two timer ticks. Run by scripts/bench.sh with the private display and prefix
# set up.
#   perch_latency_bench.sh <win32 build dir>
set -uo pipefail
win32=$1
changes=${PERCH_LATENCY_CHANGES:-50}
wd() { wine "$win32/tests/e2e/window_driver.exe" "$@" >/dev/null 2>&1; }

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

run() {  # run <label> <PERCH_WINDOW_EVENTS value>
    wine reg delete 'HKCU\Software\Halden\Perch' /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Halden\Perch\Options' /v Splash /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Halden\Perch\Position' /v 'X Pos' /t REG_DWORD /d 650 /f >/dev/null 2>&1
    wine "$win32/tests/e2e/mdi_app.exe" "Latency Editor" A.TXT B.TXT >/dev/null 2>&1 &
    local app=$!
    wine "$win32/tests/e2e/mdi_app.exe" "Latency Other" X.TXT >/dev/null 2>&1 &
    local other=$!
    pids+=("$app" "$other")
    wd wait "Latency Editor" 20000
    wd wait "Latency Other" 20000
    PERCH_WINDOW_EVENTS=$2 wine "$win32/perch.exe" >/dev/null 2>&1 &
    local perch=$!
    pids+=("$perch")
    wd wait "Perch|Roost" 20000
    wd front "Latency Editor"
    sleep 3  # the board fills and the frame fits it
    echo "== latency, $1 ($changes changes of each kind)"
    wine "$win32/tests/e2e/latency_driver.exe" "Perch|Roost" "Latency Editor" "Latency Other" all \
        "$changes" 20000 1500 </dev/null | tr -d '\r' | sed "s/^/$1 /"
    kill "$perch" "$app" "$other" 2>/dev/null
    wait "$perch" "$app" "$other" 2>/dev/null
}

results=$(mktemp)
run events 1 | tee "$results"
run timer 0
# Targets: with events, each kind's median at most 50 ms and 95th percentile at most 100 ms.
awk '$1 == "events" && /median/ {
        kind = $2; for (i = 3; $i != "median"; i++) kind = kind " " $i
        median = $(i + 1); p95 = $(i + 4)
        verdict = (median <= 50 && p95 <= 100) ? "met" : "NOT met"
        printf "latency target (median <= 50 ms, p95 <= 100 ms) for %s %s\n", kind, verdict
    }' "$results"
rm -f "$results"
