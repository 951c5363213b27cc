// Texts in any script for the end-to-end scripts (arguments and output are UTF-8, where
// `wine reg` and the ANSI argv would turn them into "?"):
//   unicode_driver show <ms> <text>...   draws the texts the way Perch's board draws a
//                      title: the board's default font (MS Sans Serif, 11 pixels, through
//                      CreateFontIndirectW and ExtTextOutW), black, in a window titled
//                      "Perch text reference" at 10,460 of the desktop, for <ms>
//                      milliseconds; text i on the grey band 2i and the white band 2i + 1,
//                      each band kBand pixels high
//   unicode_driver regget <key under HKCU> <value>   prints a string value; exit 1 when
//                      there is none
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_windows.h"

namespace {

constexpr int kBand = 20;
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
std::vector<std::wstring> g_texts;
HFONT g_font = nullptr;

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HGDIOBJ old = SelectObject(dc, g_font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        for (std::size_t i = 0; i < g_texts.size(); ++i) {
            for (int band = 0; band < 2; ++band) {
                const int top = static_cast<int>(2 * i + band) * kBand;
                RECT r{0, top, 1000, top + kBand};
                HBRUSH brush = CreateSolidBrush(band == 0 ? kGrey : kWhite);
                FillRect(dc, &r, brush);
                DeleteObject(brush);
                ExtTextOutW(dc, 4, top + 3, 0, nullptr, g_texts[i].c_str(),
                            static_cast<UINT>(g_texts[i].size()), nullptr);
            }
        }
        SelectObject(dc, old);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int ReadRegistryString(const std::string& key, const std::string& value) {
    wchar_t data[4096] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, e2e::Widen(key).c_str(), e2e::Widen(value).c_str(),
                     RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return 1;
    }
    std::printf("%s\n", e2e::Narrow(data).c_str());
    return 0;
}

int main() {
    const std::vector<std::string> args = e2e::Utf8Arguments();
    if (args.size() == 4 && args[1] == "regget") {
        return ReadRegistryString(args[2], args[3]);
    }
    if (args.size() < 4 || args[1] != "show") {
        return 2;
    }
    const DWORD ms = static_cast<DWORD>(std::stoul(args[2]));
    for (std::size_t i = 3; i < args.size(); ++i) {
        g_texts.push_back(e2e::Widen(args[i]));
    }
    // As the board makes its default font (settings' kDefaultFont).
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = 34;
    lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
    g_font = CreateFontIndirectW(&lf);

    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PerchTextReference";
    RegisterClassW(&wc);
    const int height = static_cast<int>(g_texts.size()) * 2 * kBand;
    // Shown without taking the foreground, so the scenario's windows keep theirs.
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                wc.lpszClassName, L"Perch text reference", WS_POPUP, 10, 460, 400,
                                height, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr) {
        return 1;
    }
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    DeleteObject(g_font);
    return 0;
}
