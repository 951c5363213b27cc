#!/usr/bin/env bash
# The soak, as long as asked: perch.exe watching a test MDI application that changes every
# 100 ms while real input drives its commands, its objects and memory sampled after each
# round of commands, on a private display (see tests/e2e/perch_soak_test.sh).
#   scripts/soak.sh [seconds, default 600]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
"$root/scripts/setup.sh"
win32="$root/build/win32"
source "$root/scripts/wine-env.sh"
perch_build_win32 "$win32"
trap perch_wine_stop EXIT
perch_start_xvfb
perch_ensure_prefix
perch_wine_warm_up "$win32"
PERCH_SOAK_SECONDS=$seconds bash "$root/tests/e2e/perch_soak_test.sh" "$win32/perch.exe" \
    "$win32/tests/e2e/mdi_app.exe" "$win32/tests/e2e/window_driver.exe" \
    "$win32/tests/e2e/outside_driver.exe" "$win32/e2e-artifacts"
