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
case "refresh_tick_wine_bench" in *$filter*) ;; *) exit 0 ;; esac
cmake -S "$root" -B "$win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win32" -j "$(nproc)" >/dev/null
source "$root/scripts/wine-env.sh"
trap perch_wine_stop EXIT
perch_start_xvfb
perch_ensure_prefix
wineserver -p
wine "$win32/tests/e2e/window_driver.exe" gone warm-up 0 >/dev/null 2>&1 </dev/null
echo "== refresh_tick_wine_bench"
wine "$win32/bench/win32/refresh_tick_wine_bench.exe" "$(winepath -w "$win32/tests/e2e/mdi_app.exe")"
