#!/usr/bin/env bash
# Builds perch.exe and starts it under Wine on your display, with Wine's File Manager
# (a real MDI application) beside it. Closing Perch ends the session's Wine processes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PERCH_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "run: DISPLAY is not set; start this from a graphical session" >&2
    exit 1
fi
{ cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release && cmake --build "$build/win32" -j "$(nproc)"; } >"$build/run-build.log" 2>&1 ||
    { tail -n 40 "$build/run-build.log" >&2; echo "run: the build failed" >&2; exit 1; }

# A prefix of its own, so your ~/.wine is never touched.
export PERCH_WINEPREFIX=${PERCH_WINEPREFIX:-$build/wine-run}
source "$root/scripts/wine-env.sh"
perch_ensure_prefix
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# On a first run, Perch goes to the right edge of the desktop, beside the File Manager
# rather than under it (Smart Positioning then keeps it there). Later runs start where
# Perch was closed.
if ! wine reg query 'HKCU\Software\Halden\Perch\Position' /v 'X Pos' >/dev/null 2>&1; then
    wine reg add 'HKCU\Software\Halden\Perch\Position' /v 'X Pos' /t REG_DWORD /d 940 /f >/dev/null 2>&1 || true
fi
# Perch first, then the File Manager: the application in front is the one Perch watches,
# so its document windows are on the board from the first refresh.
wine "$build/win32/perch.exe" &
perch=$!
wine "$build/win32/tests/e2e/window_driver.exe" wait 'Perch|Roost' 10000 >/dev/null 2>&1 || true
sleep 2  # the splash goes after 1.5 s and brings Perch's frame forward
(cd / && wine winefile >/dev/null 2>&1 &)
wait "$perch"
