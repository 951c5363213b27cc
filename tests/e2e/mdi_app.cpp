// A plain Win32 MDI application for the end-to-end tests.
//   mdi_app.exe "<frame title>" ["<document title>" ...]
// Tests steer it while it runs with WM_COPYDATA (dwData kMdiAppCommand) carrying
// "<verb>\t<arg>[\t<arg>]"; SendMessage returns 1 when the command was carried out.
// Verbs: add <title>, close <title>, retitle <old> <new>, hide <title>, show <title>,
// minimize <title>, maximize <title>, restore <title>, activate <title>,
// clienttext <text> (the MDI client's own window text), popup <title> (an owned
// pop-up, activated), count (returns 1 + the number of documents), hang <ms> (answers
// at once, then takes no message for that long: an application that stopped answering),
// place <x> <y> <width> <height> (the frame's rectangle), front (brings its own frame to the
// foreground, as a click on it would), burst <title> <n> <ms> (retitles that document n times,
// "<title> 1" .. "<title> n", spread evenly over <ms> milliseconds), churn <ms> (every <ms> one step
// of a round of changes: documents open, are retitled, activated and closed, between
// three and eight of them; 0 stops).
// Titles are UTF-8 on the command line and in the commands, and the windows are wide, so
// they may be in any script.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_windows.h"
#include "mdi_app_protocol.h"

namespace {

HWND g_frame = nullptr;
HWND g_client = nullptr;
constexpr UINT_PTR kChurnTimer = 7;
unsigned g_churnStep = 0;
const wchar_t kFrameClass[] = L"PerchTestMdiFrame";
const wchar_t kChildClass[] = L"PerchTestMdiChild";
const wchar_t kPopupClass[] = L"PerchTestPopup";

HWND FindDocument(const std::string& title) {
    for (HWND h = GetWindow(g_client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (title == e2e::WindowTextUtf8(h) && GetWindow(h, GW_OWNER) == nullptr) {
            return h;
        }
    }
    return nullptr;
}

HWND AddDocument(const std::string& title) {
    const std::wstring wide = e2e::Widen(title);
    MDICREATESTRUCTW mcs{};
    mcs.szClass = kChildClass;
    mcs.szTitle = wide.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_VISIBLE;
    return reinterpret_cast<HWND>(
        SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t tab = text.find('\t', start);
        parts.push_back(
            text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return parts;
        }
        start = tab + 1;
    }
}

std::vector<HWND> Documents() {
    std::vector<HWND> documents;
    for (HWND h = GetWindow(g_client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (GetWindow(h, GW_OWNER) == nullptr) {
            documents.push_back(h);
        }
    }
    return documents;
}

// One step of the churn: a new document, a retitled one, another activated, the bottom one
// closed, in turn; never fewer than three documents nor more than eight.
void ChurnStep() {
    const std::vector<HWND> documents = Documents();
    const unsigned step = g_churnStep++;
    const std::string name = "Churn " + std::to_string(step) + ".txt";
    switch (step % 4) {
        case 0:
            if (documents.size() < 8) {
                AddDocument(name);
            }
            break;
        case 1:
            if (!documents.empty()) {
                SetWindowTextA(documents[step % documents.size()], name.c_str());
            }
            break;
        case 2:
            if (!documents.empty()) {
                SendMessageA(g_client, WM_MDIACTIVATE,
                             reinterpret_cast<WPARAM>(documents[documents.size() - 1]), 0);
            }
            break;
        default:
            if (documents.size() > 3) {
                SendMessageA(g_client, WM_MDIDESTROY,
                             reinterpret_cast<WPARAM>(documents[documents.size() - 1]), 0);
            }
            break;
    }
}

LRESULT RunCommand(const std::string& command) {
    std::vector<std::string> a = Split(command);
    const std::string& verb = a[0];
    auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::string(); };
    if (verb == "add") {
        return AddDocument(arg(1)) != nullptr;
    }
    if (verb == "count") {
        LRESULT n = 1;
        for (HWND h = GetWindow(g_client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
            ++n;
        }
        return n;
    }
    if (verb == "hang") {
        ReplyMessage(1);  // the sender goes on; this thread sleeps
        Sleep(static_cast<DWORD>(std::stoul(arg(1))));
        return 1;
    }
    if (verb == "place") {  // place <x> <y> <width> <height>: the frame's rectangle
        return SetWindowPos(g_frame, nullptr, std::stoi(arg(1)), std::stoi(arg(2)),
                            std::stoi(arg(3)), std::stoi(arg(4)), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (verb == "churn") {
        const unsigned ms = static_cast<unsigned>(std::stoul(arg(1)));
        if (ms == 0) {
            KillTimer(g_frame, kChurnTimer);
            return 1;
        }
        return SetTimer(g_frame, kChurnTimer, ms, nullptr) != 0;
    }
    if (verb == "front") {
        return SetForegroundWindow(g_frame);
    }
    if (verb == "clienttext") {
        return SetWindowTextW(g_client, e2e::Widen(arg(1)).c_str());
    }
    if (verb == "popup") {
        HWND popup = CreateWindowExW(0, kPopupClass, e2e::Widen(arg(1)).c_str(),
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 200, 240,
                                     120, g_frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (popup != nullptr) {
            SetForegroundWindow(popup);
        }
        return popup != nullptr;
    }
    HWND doc = FindDocument(arg(1));
    if (doc == nullptr) {
        return 0;
    }
    if (verb == "close") {
        SendMessageA(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
    } else if (verb == "retitle") {
        SetWindowTextW(doc, e2e::Widen(arg(2)).c_str());
    } else if (verb == "hide") {
        ShowWindow(doc, SW_HIDE);
    } else if (verb == "show") {
        ShowWindow(doc, SW_SHOW);
    } else if (verb == "minimize") {
        ShowWindow(doc, SW_MINIMIZE);
    } else if (verb == "maximize") {
        SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(doc), 0);
    } else if (verb == "restore") {
        SendMessageA(g_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(doc), 0);
    } else if (verb == "burst") {
        const int n = std::stoi(arg(2));
        const DWORD ms = static_cast<DWORD>(std::stoul(arg(3)));
        const DWORD start = GetTickCount();
        for (int i = 1; i <= n; ++i) {
            while (GetTickCount() - start < ms * static_cast<DWORD>(i - 1) / static_cast<DWORD>(n)) {
                Sleep(1);
            }
            SetWindowTextA(doc, (arg(1) + " " + std::to_string(i)).c_str());
        }
    } else if (verb == "activate") {
        SendMessageA(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc), 0);
    } else {
        return 0;
    }
    return 1;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            CLIENTCREATESTRUCT ccs{};
            ccs.idFirstChild = 50000;
            g_client =
                CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                0, 0, 0, 0, hwnd, nullptr, GetModuleHandleW(nullptr), &ccs);
            return g_client != nullptr ? 0 : -1;
        }
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
            if (data->dwData != kMdiAppCommand || data->lpData == nullptr) {
                return 0;
            }
            return RunCommand(std::string(static_cast<const char*>(data->lpData), data->cbData));
        }
        case WM_TIMER:
            if (wParam == kChurnTimer) {
                ChurnStep();
                return 0;
            }
            return DefFrameProcW(hwnd, g_client, message, wParam, lParam);
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefFrameProcW(hwnd, g_client, message, wParam, lParam);
    }
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcW(hwnd, message, wParam, lParam);
}

bool Register(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0;
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!Register(kFrameClass, FrameProc) || !Register(kChildClass, ChildProc) ||
        !Register(kPopupClass, PopupProc)) {
        return 1;
    }
    const std::vector<std::string> args = e2e::Utf8Arguments();
    const std::wstring frameTitle = e2e::Widen(args.size() > 1 ? args[1] : "Test MDI");
    g_frame = CreateWindowExW(0, kFrameClass, frameTitle.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              20, 20, 600, 450, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (g_frame == nullptr) {
        return 1;
    }
    ShowWindow(g_frame, SW_SHOWNORMAL);
    for (std::size_t i = 2; i < args.size(); ++i) {
        AddDocument(args[i]);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateMDISysAccel(g_client, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
