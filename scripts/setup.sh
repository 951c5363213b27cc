#!/usr/bin/env bash
# Installs what building and testing Perch needs, when it is missing. It looks for what
# the build and the tests actually run (the compilers, windres, wine, Xvfb, ...) and
# installs only the packages that provide the missing ones, so a machine set up some
# other way is left as it is. Idempotent and quiet when everything is there. Needs root
# (or sudo) only when it has to install.
set -euo pipefail

# "<package> <what must exist>": a command on the PATH, or an absolute path.
needs=(
    "cmake cmake"
    "g++ g++"
    "make make"
    "libgtest-dev /usr/include/gtest/gtest.h"
    "libbenchmark-dev /usr/include/benchmark/benchmark.h"
    # The toolchain file names the win32-thread-model compiler itself.
    "g++-mingw-w64-x86-64-win32 x86_64-w64-mingw32-g++-win32"
    "gcc-mingw-w64-x86-64-win32 x86_64-w64-mingw32-gcc-win32"
    "binutils-mingw-w64-x86-64 x86_64-w64-mingw32-windres"
    "wine wine"
    "wine64 /usr/lib/wine/wine64"
    "fonts-wine /usr/share/wine/fonts"
    # Chinese and Japanese glyphs for titles in those scripts (Wine links them to the board's font).
    "fonts-wqy-microhei /usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
    "xvfb Xvfb"
    "xdotool xdotool"
    "imagemagick import"
    # chmcmd compiles the HTML help (perch.chm).
    "fp-utils chmcmd"
    # The release: scripts/package.sh zips it, its test unpacks it.
    "zip zip"
    "unzip unzip"
)

missing=()
for need in "${needs[@]}"; do
    package=${need%% *}
    thing=${need#* }
    case "$thing" in
        /*) [ -e "$thing" ] && continue ;;
        *) command -v "$thing" >/dev/null 2>&1 && continue ;;
    esac
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup: installing packages failed" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"
