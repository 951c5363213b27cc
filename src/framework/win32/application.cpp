#include "framework/win32/application.h"

#include "framework/win32/frame_window.h"
#include "framework/win32/strings.h"

namespace framework {

Application::Application(const char* name) {
    SetAppName(name);
}

int Application::Run(HINSTANCE instance, int showCommand) {
    m_instance = instance;
    m_showCommand = showCommand;
    if (!InitInstance()) {
        return 0;
    }

    // The wide calls: a character typed into a dialog arrives whole, whatever its script.
    MSG msg{};
    bool idle = true;
    long idleCount = 0;
    for (;;) {
        while (idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) {
                idle = false;
            } else if (const DWORD wait = IdleWaitLimit(); wait != INFINITE) {
                // Asked again, but nothing can change before the wait is over or a message
                // comes: sleep until then instead of spinning.
                MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
            }
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            break;
        }
        if (got == -1) {
            return 1;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (IsIdleMessage(msg)) {
            idle = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(msg.wParam);
}

bool Application::OnIdle(long count) {
    if (count == 0 && m_mainFrame != nullptr && m_mainFrame->Handle() != nullptr) {
        m_mainFrame->UpdateBars();
    }
    return false;
}

bool Application::PreTranslate(MSG& msg) {
    if (m_accelerators == nullptr || m_mainFrame == nullptr || m_mainFrame->Handle() == nullptr) {
        return false;
    }
    HWND frame = m_mainFrame->Handle();
    // Keys go to the frame's accelerators only while they are meant for the frame or one
    // of its children, not for a dialog of its own.
    if (msg.hwnd != frame && !IsChild(frame, msg.hwnd)) {
        return false;
    }
    return TranslateAcceleratorW(frame, m_accelerators, &msg) != 0;
}

bool Application::IsIdleMessage(const MSG& msg) {
    static POINT lastMouse{-1, -1};
    switch (msg.message) {
        case WM_PAINT:
        case 0x0118:  // the system's caret-blink timer
            return false;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y) {
                return false;
            }
            lastMouse = msg.pt;
            return true;
        default:
            return true;
    }
}

}  // namespace framework
