// The DPI a window is shown at, and pictures made for it.
#pragma once

#include <windows.h>

#include "framework/dpi_scale.h"

namespace framework {

// The DPI of the monitor the window is on (GetDpiForWindow where the system has it, which
// follows the window from monitor to monitor under per-monitor awareness), else the
// screen's. Never less than something sane.
int WindowDpi(HWND window);

// A length at 96 DPI as the window's monitor needs it.
inline int ScaleForWindow(HWND window, int pixels96) {
    return ScaleToDpi(pixels96, WindowDpi(window));
}

// The bitmap resource, a strip of `count` images of image96 each drawn at 96 DPI, loaded with
// its grey mapped to the system's button colours (LR_LOADMAP3DCOLORS) and, when `image` is
// another size, each image scaled smoothly to it. Null when the resource cannot be loaded.
HBITMAP LoadImageStrip(HINSTANCE instance, UINT bitmapId, int count, SIZE image96, SIZE image);

}  // namespace framework
