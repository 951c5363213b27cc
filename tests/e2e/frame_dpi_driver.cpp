// Perch's frame on a move to a monitor of another DPI, which Wine (one DPI for every
// monitor) never makes: the frame is made here with perch.exe's resources, an in-memory
// profile and the real window system, and is sent WM_DPICHANGED as Windows sends it. It
// must take the suggested rectangle, show its toolbar and thresholds at the new DPI, and
// come back exactly to its 96-DPI sizes.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "app/frame_dpi.h"
#include "app/win32/main_frame.h"
#include "e2e_check.h"
#include "e2e_windows.h"
#include "platform/code_page.h"
#include "platform/win32/win32_window_system.h"
#include "res/resource.h"
#include "support/memory_profile.h"

namespace {

void Pump() {
    MSG msg;
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

SIZE ButtonSize(HWND bar) {
    const LRESULT size = SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
    return {LOWORD(size), HIWORD(size)};
}

SIZE ImageSize(HWND bar) {
    int cx = 0;
    int cy = 0;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0));
    if (images != nullptr) {
        ImageList_GetIconSize(images, &cx, &cy);
    }
    return {cx, cy};
}

LONG MinTrackWidth(HWND frame) {
    MINMAXINFO info{};
    SendMessageA(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info.ptMinTrackSize.x;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    perch::Win32WindowSystem windows;
    perch::test::MemoryProfile profile;
    perch::CMainFrame frame(windows, profile, perch::Utf8Text());
    E2E_CHECK(frame.CreateFrame());
    if (frame.Handle() == nullptr) {
        return 1;
    }
    ShowWindow(frame.Handle(), SW_SHOWNORMAL);
    Pump();
    HWND bar = GetDlgItem(frame.Handle(), ID_VIEW_TOOLBAR);
    E2E_CHECK(bar != nullptr);
    const SIZE button96 = ButtonSize(bar);
    const SIZE image96 = ImageSize(bar);
    const LONG minWidth96 = MinTrackWidth(frame.Handle());
    E2E_CHECK_EQ(button96.cx, 21L);
    E2E_CHECK_EQ(button96.cy, 19L);
    E2E_CHECK_EQ(image96.cx, 14L);
    E2E_CHECK_EQ(image96.cy, 13L);

    // To a monitor at 144 DPI: the system suggests where and how big.
    const RECT at144{200, 150, 200 + 270, 150 + 240};
    SendMessageA(frame.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&at144));
    RECT now{};
    GetWindowRect(frame.Handle(), &now);
    E2E_CHECK(SameRect(now, at144));
    E2E_CHECK_EQ(ButtonSize(bar).cx, 32L);
    E2E_CHECK_EQ(ButtonSize(bar).cy, 29L);
    E2E_CHECK_EQ(ImageSize(bar).cx, 21L);
    E2E_CHECK_EQ(ImageSize(bar).cy, 20L);
    // The screen-metrics row of this screen's width at 96 DPI, 1.5 times.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    E2E_CHECK_EQ(MinTrackWidth(frame.Handle()),
                 static_cast<LONG>(perch::MetricsForScreen(screenWidth, 144).minTrackWidth));
    E2E_CHECK_EQ(minWidth96, static_cast<LONG>(perch::MetricsForScreen(screenWidth, 96).minTrackWidth));
    Pump();  // the board lays itself out and paints at the new size
    E2E_CHECK(IsWindow(frame.Handle()));

    // And back: exactly the sizes it had.
    const RECT at96{100, 100, 100 + 180, 100 + 160};
    SendMessageA(frame.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&at96));
    GetWindowRect(frame.Handle(), &now);
    E2E_CHECK(SameRect(now, at96));
    E2E_CHECK_EQ(ButtonSize(bar).cx, button96.cx);
    E2E_CHECK_EQ(ButtonSize(bar).cy, button96.cy);
    E2E_CHECK_EQ(ImageSize(bar).cx, image96.cx);
    E2E_CHECK_EQ(ImageSize(bar).cy, image96.cy);
    E2E_CHECK_EQ(MinTrackWidth(frame.Handle()), minWidth96);
    Pump();
    DestroyWindow(frame.Handle());
    if (e2e::g_failures == 0) {
        std::printf("the frame follows WM_DPICHANGED to 144 DPI and back: ok\n");
    }
    return e2e::g_failures == 0 ? 0 : 1;
}
