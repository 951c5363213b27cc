// Window helpers shared by the end-to-end drivers that run under Wine.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "mdi_app_protocol.h"

namespace e2e {

// Texts in the drivers are UTF-8, as the scripts write them; Win32 gets them wide.
inline std::wstring Widen(std::string_view utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    }
    return wide;
}

inline std::string Narrow(std::wstring_view wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                            nullptr, nullptr);
    }
    return utf8;
}

// The program's arguments as UTF-8, read from the wide command line (the ANSI argv would
// turn every character outside the code page into "?").
inline std::vector<std::string> Utf8Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wide != nullptr && i < count; ++i) {
        args.push_back(Narrow(wide[i]));
    }
    LocalFree(wide);
    return args;
}

// A window's title as UTF-8.
inline std::string WindowTextUtf8(HWND h) {
    wchar_t text[1024] = {};
    GetWindowTextW(h, text, 1024);
    return Narrow(text);
}

// Sends a command to the test MDI application (see mdi_app.cpp); its answer.
inline LRESULT MdiAppCommand(HWND app, const std::string& command) {
    COPYDATASTRUCT data{};
    data.dwData = kMdiAppCommand;
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    return SendMessageA(app, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// Waits up to 10 s for a top-level window of the class and title (either may be null).
inline HWND WaitForWindow(const char* className, const char* title) {
    for (int i = 0; i < 100; ++i) {
        if (HWND h = FindWindowA(className, title)) {
            return h;
        }
        Sleep(100);
    }
    return nullptr;
}

// Waits up to 10 s for the condition to hold; whether it did. For effects that arrive
// through another program's message queue, which a loaded machine may delay.
template <class Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(100);
    }
    return condition();
}

// Brings the window to the foreground and waits until it is there (up to 10 s), asking
// again meanwhile: on a loaded machine the window manager may take its time. Whether it got
// there.
inline bool BringToFront(HWND h) {
    for (int i = 0; i < 100; ++i) {
        SetForegroundWindow(h);
        if (GetForegroundWindow() == h) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

// The board's own frame and view: plain windows of this process.
inline HWND MakeBoardWindows(HWND* view) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PerchTestBoard";
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, "PerchTestBoard", "Board", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 700, 400, 200, 150, nullptr, nullptr, wc.hInstance, nullptr);
    *view = CreateWindowExA(0, "PerchTestBoard", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                            frame, nullptr, wc.hInstance, nullptr);
    return frame;
}

}  // namespace e2e
