// The frame's help commands: contents, help on help, F1 (in a menu or not) and the
// Shift+F1 mode.
#include <windows.h>

#include <commctrl.h>

#include "framework/help_ids.h"
#include "framework/standard_ids.h"
#include "framework/win32/frame_window.h"

namespace framework {
namespace {

// The frame whose menu is open, for the hook (one menu is open at a time in a thread).
FrameWindow* g_menuFrame = nullptr;

}  // namespace

HelpViewer& FrameWindow::Help() {
    if (!m_helpReady) {
        m_help.Initialize(Handle());
        m_helpReady = true;
    }
    return m_help;
}

bool FrameWindow::OnHelpCommand(UINT id) {
    switch (id) {
        case ID_HELP_INDEX:
        case ID_DEFAULT_HELP:
            Help().ShowContents();
            return true;
        case ID_HELP_USING:
            Help().ShowHelpOnHelp();
            return true;
        case ID_HELP: {
            const UINT item = m_menuHelpCommand;
            m_menuHelpCommand = 0;
            ShowHelpTopic(HelpIdForF1({0, item}, m_helpResourceId));
            return true;
        }
        case ID_CONTEXT_HELP:
            RunContextHelpMode();
            return true;
        default:
            return false;
    }
}

// F1 in an open menu reaches neither the accelerators nor the frame: the menu's own loop
// takes the keys. A hook on the thread's messages sees it first, closes the menu and asks
// for the highlighted item's topic.
void FrameWindow::OnMenuLoop(bool entering) {
    if (entering && m_menuKeyHook == nullptr) {
        g_menuFrame = this;
        m_menuKeyHook = SetWindowsHookExA(WH_GETMESSAGE, &FrameWindow::MenuKeyHook, nullptr,
                                          GetCurrentThreadId());
    } else if (!entering && m_menuKeyHook != nullptr) {
        UnhookWindowsHookEx(m_menuKeyHook);
        m_menuKeyHook = nullptr;
        g_menuFrame = nullptr;
    }
}

LRESULT CALLBACK FrameWindow::MenuKeyHook(int code, WPARAM wParam, LPARAM lParam) {
    FrameWindow* frame = g_menuFrame;
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && frame != nullptr &&
        msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
        frame->m_menuHelpCommand = frame->m_highlightedCommand;
        msg->message = WM_NULL;
        EndMenu();
        PostMessageA(frame->Handle(), WM_COMMAND, ID_HELP, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::optional<DWORD> FrameWindow::HelpIdAt(POINT screen) {
    HWND at = WindowFromPoint(screen);
    if (at == nullptr) {
        return std::nullopt;
    }
    HWND toolbar = m_toolBar.Handle();
    if (toolbar != nullptr && (at == toolbar || IsChild(toolbar, at))) {
        POINT local = screen;
        ScreenToClient(toolbar, &local);
        const auto index = static_cast<int>(
            SendMessageA(toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&local)));
        TBBUTTON button{};
        if (index >= 0 &&
            SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&button)) != 0 &&
            (button.fsStyle & BTNS_SEP) == 0) {
            return HelpIdForCommand(static_cast<DWORD>(button.idCommand));
        }
        return HelpIdForCommand(ID_VIEW_TOOLBAR);
    }
    // The floating toolbar's own window (its grip and border).
    if (toolbar != nullptr && GetAncestor(at, GA_ROOT) == GetAncestor(toolbar, GA_ROOT) &&
        GetAncestor(at, GA_ROOT) != Handle()) {
        return HelpIdForCommand(ID_VIEW_TOOLBAR);
    }
    if (at == m_statusBar.Handle()) {
        return HelpIdForCommand(ID_VIEW_STATUS_BAR);
    }
    if (at == Handle() || IsChild(Handle(), at)) {
        return HelpIdForResource(m_helpResourceId);
    }
    return std::nullopt;
}

void FrameWindow::EndContextHelpMode() {
    if (m_contextHelpMode && !m_contextHelpEnded) {
        m_contextHelpEnded = true;
        PostMessageA(Handle(), WM_NULL, 0, 0);  // wakes the mode's loop
    }
}

void FrameWindow::OnCaptureChanged(HWND newCapture) {
    // The mode itself lets the capture go while it opens the menu bar.
    if (m_contextHelpMode && !m_contextHelpOpensMenu && newCapture != Handle()) {
        EndContextHelpMode();
    }
}

void FrameWindow::RunContextHelpMode() {
    HCURSOR helpCursor = LoadCursorA(nullptr, IDC_HELP);
    std::optional<DWORD> topic;
    bool done = false;
    m_contextHelpMode = true;
    m_contextHelpEnded = false;
    SetCapture(Handle());
    SetCursor(helpCursor);
    MSG msg{};
    while (!done && !m_contextHelpEnded) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
            break;
        }
        if (m_contextHelpEnded) {
            // Perch was left (another application activated, the capture taken): the mode
            // ends, and what arrived meanwhile is handled as usual.
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            break;
        }
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    done = true;
                }
                break;  // other keys do nothing in this mode
            case WM_COMMAND:
                // A menu item chosen from the menu bar opened in this mode: its topic, not
                // the command.
                if (msg.hwnd == Handle() && msg.lParam == 0) {
                    topic = HelpIdForCommand(LOWORD(msg.wParam));
                    done = true;
                } else {
                    DispatchMessageA(&msg);
                }
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_NCLBUTTONDOWN:
            case WM_NCRBUTTONDOWN: {
                const POINT at = msg.pt;
                const LRESULT hit = SendMessageA(Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
                if (hit == HTMENU && msg.message != WM_RBUTTONDOWN &&
                    msg.message != WM_NCRBUTTONDOWN) {
                    // Open the menu as a click would; a chosen item comes back as WM_COMMAND.
                    m_contextHelpOpensMenu = true;
                    ReleaseCapture();
                    SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
                    SetCapture(Handle());
                    m_contextHelpOpensMenu = false;
                    SetCursor(helpCursor);
                    break;
                }
                topic = HelpIdAt(at);
                done = true;
                break;
            }
            case WM_MOUSEMOVE:
            case WM_NCMOUSEMOVE:
            case WM_SETCURSOR:
                SetCursor(helpCursor);
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_CHAR:
            case WM_KEYUP:
                break;
            default:
                // Paints, timers and the rest go on as usual.
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
                break;
        }
    }
    m_contextHelpMode = false;
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    if (topic) {
        ShowHelpTopic(*topic);
    }
}

}  // namespace framework
