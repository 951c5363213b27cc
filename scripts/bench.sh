#!/usr/bin/env bash
# Builds the benchmarks optimised and runs each; every one prints its ratio against the
# baseline it measures in the same run: the core benchmarks natively, then the
# whole-program ones under Wine on a private Xvfb display.
#   scripts/bench.sh [name filter]      e.g. scripts/bench.sh sort
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
filter=${1:-}
"$root/scripts/setup.sh"

native="$root/build/bench"
cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release -DPERCH_SANITIZE=OFF >/dev/null
cmake --build "$native" -j "$(nproc)" >/dev/null
for b in "$native"/bench/*_bench; do
    case "$(basename "$b")" in *$filter*) ;; *) continue ;; esac
    echo "== $(basename "$b")"
    "$b"
done

win32="$root/build/win32"
wanted() { case "$1" in *$filter*) return 0 ;; *) return 1 ;; esac; }
wanted refresh_tick_wine_bench || wanted board_paint_wine_bench || wanted perch_idle_bench ||
    wanted perch_latency_bench || exit 0
source "$root/scripts/wine-env.sh"
perch_build_win32 "$win32"
trap perch_wine_stop EXIT
perch_start_xvfb
perch_ensure_prefix
perch_wine_warm_up "$win32"
if wanted refresh_tick_wine_bench; then
    echo "== refresh_tick_wine_bench"
    wine "$win32/bench/win32/refresh_tick_wine_bench.exe" "$(winepath -w "$win32/tests/e2e/mdi_app.exe")"
fi
if wanted board_paint_wine_bench; then
    echo "== board_paint_wine_bench"
    wine "$win32/bench/win32/board_paint_wine_bench.exe" </dev/null
fi
if wanted perch_idle_bench; then
    echo "== perch_idle_bench"
    bash "$root/bench/win32/perch_idle_bench.sh" "$win32"
fi
if wanted perch_latency_bench; then
    echo "== perch_latency_bench"
    bash "$root/bench/win32/perch_latency_bench.sh" "$win32"
fi
