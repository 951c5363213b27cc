#!/usr/bin/env bash
# Fuzzes the title-text rules with libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# for a bounded time: scripts/fuzz.sh [seconds, default 60]. Not part of the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/corpus"
command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2; exit 1; }
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root/src" -I "$root/tests" \
    "$root/tests/fuzz/title_text_fuzz.cpp" "$root/src/tracker/title_text.cpp" \
    "$root/tests/support/test_code_pages.cpp" "$root/tests/support/reference_sort.cpp" \
    -o "$out/title_text_fuzz"
"$out/title_text_fuzz" -max_total_time="$seconds" -print_final_stats=1 "$out/corpus"
