#!/usr/bin/env bash
# Builds the core benchmarks optimised and runs each; every one prints its ratio against
# the baseline it measures in the same run. scripts/bench.sh [benchmark name filter]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPERCH_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
for b in "$build"/bench/*_bench; do
    case "$(basename "$b")" in *${1:-}*) ;; *) continue ;; esac
    echo "== $(basename "$b")"
    "$b"
done
