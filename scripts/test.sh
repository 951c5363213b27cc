#!/usr/bin/env bash
# Runs the whole test suite: native unit tests of the portable core (with sanitizers),
# then the Win32 build and the end-to-end tests under Wine on a private Xvfb display.
# A failing stage stops the run with a message naming the stage; the last line is the
# summary over all tests.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PERCH_BUILD_DIR:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)
log_dir="$build/logs"
passed=0
total=0

stage_failed() {  # stage_failed <stage> <why> [log]
    echo "test stage '$1' FAILED: $2" >&2
    if [ -n "${3:-}" ] && [ -f "$3" ]; then
        echo "---- last lines of $3 ----" >&2
        tail -n 40 "$3" >&2
    fi
    echo "$((passed * 100 / (total > 0 ? total : 1)))% tests passed, stage '$1' failed after $total tests"
    exit 1
}

quiet() {  # quiet <log> <command...>: output only goes to the log
    local logfile=$1
    shift
    "$@" >"$logfile" 2>&1
}

run_ctest() {  # run_ctest <stage> <build dir> <args...>
    local stage=$1 dir=$2 out
    shift 2
    out="$log_dir/ctest-${stage// /-}.log"
    ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$out" | grep -E '^ *[0-9]+/[0-9]+ Test .*(\*\*\*|Not Run)' || true
    local summary
    summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)
    [ -n "$summary" ] || stage_failed "$stage" "ctest found or ran no tests" "$out"
    local failed count
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    count=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$((total + count))
    passed=$((passed + count - failed))
    echo "$stage: $summary"
    [ "$failed" -eq 0 ] || stage_failed "$stage" "$failed of $count tests failed (details in $out)" "$out"
}

mkdir -p "$log_dir"
"$root/scripts/setup.sh" || stage_failed setup "required packages could not be installed"

quiet "$log_dir/native-build.log" cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug -DPERCH_SANITIZE=ON &&
    cmake --build "$build/native" -j "$jobs" >>"$log_dir/native-build.log" 2>&1 ||
    stage_failed "native build" "the portable core or its tests did not compile" "$log_dir/native-build.log"
run_ctest "unit tests" "$build/native" -j "$jobs"

{ cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release && cmake --build "$build/win32" -j "$jobs"; } >"$log_dir/win32-build.log" 2>&1 ||
    stage_failed "win32 build" "perch.exe or the end-to-end drivers did not build" "$log_dir/win32-build.log"

source "$root/scripts/wine-env.sh"
trap perch_wine_stop EXIT
perch_start_xvfb >"$log_dir/wine-env.log" 2>&1 || stage_failed "wine environment" "Xvfb did not start" "$log_dir/wine-env.log"
perch_ensure_prefix >>"$log_dir/wine-env.log" 2>&1 || stage_failed "wine environment" "the Wine prefix could not be prepared" "$log_dir/wine-env.log"
perch_wine_warm_up "$build/win32"
run_ctest "end-to-end (wine)" "$build/win32"

echo "100% tests passed, 0 tests failed out of $total"
