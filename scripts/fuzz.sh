#!/usr/bin/env bash
# Builds every libFuzzer target in tests/fuzz/ (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time, one after the other:
#   scripts/fuzz.sh [seconds per target, default 60] [name filter]
# Each target starts from its seeds in tests/fuzz/corpus/<target>/ (kept in the tree) and
# the inputs earlier runs found in build/fuzz/corpus/<target>/, where new ones go. An input
# that fails is written to build/fuzz/findings/<target>/ and that target stops; the others
# still run. Prints each target's executions and verdict, then the total; exits 1 when
# anything was found. Not part of the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
filter=${2:-}
out="$root/build/fuzz"
bin="$root/build/fuzz-cmake"

command -v clang++ >/dev/null || {
    echo "fuzz: clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2
    exit 1
}
mkdir -p "$out"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
{ cmake -S "$root/tests/fuzz" -B "$bin" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ &&
    cmake --build "$bin" -j 2; } >"$out/build.log" 2>&1 || {
    tail -n 30 "$out/build.log" >&2
    echo "fuzz: the build failed (log: $out/build.log)" >&2
    exit 1
}

total=0
found=0
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    case "$name" in *$filter*) ;; *) continue ;; esac
    seeds="$root/tests/fuzz/corpus/$name"
    scratch="$out/corpus/$name"
    findings="$out/findings/$name"
    mkdir -p "$seeds" "$scratch" "$findings"
    log="$out/$name.log"
    # One job; -timeout catches an input that hangs, as a finding.
    status=0
    "$bin/$name" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$scratch" "$seeds" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    runs=${runs:-0}
    total=$((total + runs))
    if [ "$status" -eq 0 ]; then
        printf '%-22s %12s executions, nothing found\n' "$name" "$runs"
    else
        found=1
        artifact=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
        printf '%-22s %12s executions, FOUND: %s (log: %s)\n' "$name" "$runs" \
            "${artifact:-see the log}" "$log"
    fi
done
printf '%-22s %12s executions\n' "total" "$total"
exit "$found"
