# Sourced by the run and test commands: a private Xvfb display and a Wine prefix of
# Perch's own. Everything started here is recorded by process id and stopped by
# perch_wine_stop; nothing is ever stopped by name.

perch_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
perch_xvfb_pid=""

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts Xvfb on a display number it chooses itself (-displayfd), so a display that
# someone else runs is never touched. Sets DISPLAY.
perch_start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    perch_xvfb_pid=$!
    local display=""
    if ! read -r -t 20 display <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not report a display within 20 s" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$display"
}

# A prefix under the build folder, created once with a quiet wineboot and reused while
# its marker says it is complete. It runs one 1024x768 virtual desktop: without a window
# manager that is what makes activation, z-order and keyboard focus behave as on Windows.
perch_ensure_prefix() {
    export WINEPREFIX=${PERCH_WINEPREFIX:-$perch_root/build/wine-prefix}
    local marker="$WINEPREFIX/.perch-prefix-ready"
    if [ -f "$marker" ] && [ -f "$WINEPREFIX/system.reg" ]; then
        perch_link_fonts
        return
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; return 1; }
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d perch-test /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v perch-test /t REG_SZ /d 1024x768 /f >/dev/null 2>&1 ||
        { echo "could not configure the virtual desktop" >&2; return 1; }
    # Debian's Wine does not find its own fonts otherwise.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$marker"
    perch_link_fonts
}

# Wine draws a character the chosen font lacks from the fonts linked to that font. The
# board's default font, MS Sans Serif, is a bitmap font with Latin, Greek and Cyrillic
# only: link it to WenQuanYi Micro Hei (fonts-wqy-microhei, installed by setup.sh), so
# titles in Chinese and Japanese are drawn with their own characters. Set once a prefix.
perch_link_fonts() {
    local marker="$WINEPREFIX/.perch-fonts-linked"
    [ -f "$marker" ] && return 0
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "MS Sans Serif" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 ||
        { echo "could not link fonts for other scripts" >&2; return 1; }
    wineserver -w
    touch "$marker"
}

# The optimised Win32 build in <dir>, quietly (the benchmark and soak commands).
perch_build_win32() {  # perch_build_win32 <dir>
    cmake -S "$perch_root" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$perch_root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$1" -j "$(nproc)" >/dev/null
}

# One wineserver for the whole session, and Wine's own background processes (the virtual
# desktop, services) started now, so that none of them holds a test's output open.
perch_wine_warm_up() {  # perch_wine_warm_up <win32 build dir>
    wineserver -p 2>/dev/null || true
    wine "$1/tests/e2e/window_driver.exe" gone perch-warm-up 0 >/dev/null 2>&1 </dev/null
}

perch_wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$perch_xvfb_pid" ]; then
        kill "$perch_xvfb_pid" 2>/dev/null || true
        wait "$perch_xvfb_pid" 2>/dev/null || true
        perch_xvfb_pid=""
    fi
}
