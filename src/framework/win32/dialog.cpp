#include "framework/win32/dialog.h"

#include <algorithm>

namespace framework {

Dialog::~Dialog() {
    Destroy();
}

INT_PTR Dialog::DoModal(HWND owner) {
    m_modal = true;
    // Wide dialogs: their controls hold text in any script.
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                           &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                              &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::Destroy() {
    if (m_hwnd != nullptr && !m_modal) {
        DestroyWindow(m_hwnd);  // WM_NCDESTROY clears m_hwnd
    }
}

bool Dialog::OnCommand(UINT id) {
    if (id != IDOK && id != IDCANCEL) {
        return false;
    }
    if (m_modal) {
        EndDialog(m_hwnd, id);
    } else {
        Destroy();
    }
    return true;
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return self->OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            self->m_hwnd = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void CenterOver(HWND window, HWND over) {
    RECT target{};
    if (over != nullptr && IsWindowVisible(over) && !IsIconic(over)) {
        GetWindowRect(over, &target);
    } else {
        GetWindowRect(GetDesktopWindow(), &target);
    }
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    int x = target.left + (target.right - target.left - w) / 2;
    int y = target.top + (target.bottom - target.top - h) / 2;

    const RECT placed{x, y, x + w, y + h};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - w));
        y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - h));
    }
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterOnDesktop(HWND window) {
    CenterOver(window, nullptr);
}

}  // namespace framework
