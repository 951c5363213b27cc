#include "framework/win32/dpi.h"

#include <cstdint>
#include <vector>

#include "framework/image_scale.h"
#include "framework/win32/screen.h"

namespace framework {

int WindowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    // Looked up once: Windows before 10 (1607) has no GetDpiForWindow.
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    int dpi = 0;
    if (dpiForWindow != nullptr && window != nullptr) {
        dpi = static_cast<int>(dpiForWindow(window));
    }
    if (dpi == 0) {
        dpi = ScreenCaps(LOGPIXELSY);
    }
    return SaneDpi(dpi);
}

HBITMAP LoadImageStrip(HINSTANCE instance, UINT bitmapId, int count, SIZE image96, SIZE image) {
    auto loaded = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (loaded == nullptr || count <= 0 || (image.cx == image96.cx && image.cy == image96.cy)) {
        return loaded;
    }
    BITMAP info{};
    GetObjectA(loaded, sizeof info, &info);
    const int width = count * image96.cx;
    if (info.bmWidth < width || info.bmHeight < image96.cy || image.cx <= 0 || image.cy <= 0) {
        return loaded;  // not the strip we expected: drawn as it is
    }
    // Both ways as 32-bit top-down rows.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) *
                                      static_cast<std::size_t>(info.bmHeight));
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    HBITMAP result = loaded;
    if (GetDIBits(screen, loaded, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
                  DIB_RGB_COLORS) != 0) {
        // The strip's own width (a wider bitmap has spare columns at its right).
        std::vector<std::uint32_t> strip;
        strip.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(image96.cy));
        for (int y = 0; y < image96.cy; ++y) {
            const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * info.bmWidth;
            strip.insert(strip.end(), row, row + width);
        }
        const std::vector<std::uint32_t> scaled =
            ScaleImageStrip(strip, count, image96.cx, image96.cy, image.cx, image.cy);
        HBITMAP made = scaled.empty() ? nullptr
                                      : CreateCompatibleBitmap(screen, count * image.cx, image.cy);
        format.bmiHeader.biWidth = count * image.cx;
        format.bmiHeader.biHeight = -image.cy;
        if (made != nullptr &&
            SetDIBits(screen, made, 0, static_cast<UINT>(image.cy), scaled.data(), &format,
                      DIB_RGB_COLORS) != 0) {
            result = made;
            DeleteObject(loaded);
        } else if (made != nullptr) {
            DeleteObject(made);
        }
    }
    ReleaseDC(nullptr, screen);
    return result;
}

}  // namespace framework
