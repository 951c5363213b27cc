#include "framework/win32/frame_window.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/standard_ids.h"
#include "framework/win32/strings.h"

namespace framework {
namespace {

// The status-bar prompt of a system-menu item.
UINT SystemCommandPromptId(UINT command) {
    return IDS_SC_PROMPT_BASE + ((command & 0xFFF0) - 0xF000) / 16;
}

bool IsBar(HWND hwnd, const Toolbar& toolBar, const StatusBar& statusBar) {
    return hwnd == toolBar.Handle() || hwnd == statusBar.Handle();
}

}  // namespace

void FrameWindow::SetView(Window* view, CommandTarget* viewTarget) {
    m_view = view;
    m_viewTarget = viewTarget;
}

void FrameWindow::RecalcLayout() {
    if (Handle() == nullptr) {
        return;
    }
    // The status bar along the bottom, the toolbar on its side inside that, the view in
    // what is left.
    RECT whole{};
    GetClientRect(Handle(), &whole);
    RECT client = whole;
    client.bottom -= m_statusBar.AutoSize();
    m_toolBar.LayoutIn(client);
    if (m_view == nullptr || m_view->Handle() == nullptr) {
        return;
    }
    // The view keeps at least one pixel inside the client area, under the bars if need
    // be: a view that cannot be seen is never painted, and a view that fits its frame when
    // it paints would then never get its space back.
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    int left = client.left;
    int top = client.top;
    if (width < 1) {
        width = 1;
        left = std::max(static_cast<int>(whole.left),
                        std::min(left, static_cast<int>(whole.right) - 1));
    }
    if (height < 1) {
        height = 1;
        top = std::max(static_cast<int>(whole.top),
                       std::min(top, static_cast<int>(whole.bottom) - 1));
    }
    MoveWindow(m_view->Handle(), left, top, width, height, TRUE);
}

void FrameWindow::UpdateBars() {
    for (const UINT command : m_toolBar.Commands()) {
        const CommandStatus status = QueryCommandStatus(command);
        m_toolBar.SetButtonState(command, status.enabled, status.checked);
    }
}

void FrameWindow::ShowIdleMessage() {
    m_statusBar.SetText(m_idleMessage.empty() ? LoadResourceString(IDS_IDLE_MESSAGE)
                                              : m_idleMessage);
}

void FrameWindow::SetIdleMessage(const std::string& text) {
    m_idleMessage = text;
    ShowIdleMessage();
}

CommandStatus FrameWindow::QueryCommandStatus(UINT id) {
    if (m_viewTarget != nullptr) {
        const CommandStatus status = m_viewTarget->QueryCommand(id);
        if (status.known) {
            return status;
        }
    }
    return QueryFrameCommand(id);
}

bool FrameWindow::RouteCommand(UINT id) {
    const CommandStatus status = QueryCommandStatus(id);
    // An accelerator reaches here even for a disabled command (or with no menu bar).
    if (status.known && !status.enabled) {
        return false;
    }
    if (m_viewTarget != nullptr && m_viewTarget->OnCommand(id)) {
        return true;
    }
    return OnFrameCommand(id);
}

bool FrameWindow::OnFrameCommand(UINT id) {
    if (OnHelpCommand(id)) {
        return true;
    }
    switch (id) {
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
            ToggleBar(id);
            return true;
        case ID_APP_EXIT:
            SendMessageA(Handle(), WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
    }
}

CommandStatus FrameWindow::QueryFrameCommand(UINT id) {
    switch (id) {
        case ID_VIEW_TOOLBAR:
            return {true, true, m_toolBar.IsVisible()};
        case ID_VIEW_STATUS_BAR:
            return {true, true, m_statusBar.IsVisible()};
        case ID_APP_EXIT:
        case ID_HELP_INDEX:
        case ID_HELP_USING:
        case ID_CONTEXT_HELP:
        case ID_HELP:
        case ID_DEFAULT_HELP:
            return {true, true, false};
        default:
            return {};
    }
}

bool FrameWindow::ToggleBar(UINT barId) {
    if (barId == ID_VIEW_TOOLBAR) {
        if (m_toolBar.Handle() == nullptr) {
            return false;
        }
        m_toolBar.Show(!m_toolBar.IsVisible());
    } else {
        if (m_statusBar.Handle() == nullptr) {
            return false;
        }
        ShowWindow(m_statusBar.Handle(), m_statusBar.IsVisible() ? SW_HIDE : SW_SHOWNA);
    }
    RecalcLayout();
    return true;
}

void FrameWindow::OnInitMenuPopup(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) {
            continue;  // a separator or a sub-menu: updated when it opens
        }
        const CommandStatus status = QueryCommandStatus(id);
        if (!status.known) {
            continue;
        }
        EnableMenuItem(menu, static_cast<UINT>(i),
                       MF_BYPOSITION | (status.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, static_cast<UINT>(i),
                      MF_BYPOSITION | (status.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    const bool command = flags != 0xFFFF && (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) == 0;
    m_highlightedCommand = command ? item : 0;
    if (flags == 0xFFFF && menu == nullptr) {
        ShowIdleMessage();  // the menu closed
    } else if ((flags & (MF_POPUP | MF_SEPARATOR)) != 0) {
        m_statusBar.SetText("");
    } else if ((flags & MF_SYSMENU) != 0) {
        m_statusBar.SetText(item >= 0xF000 ? LoadResourceString(SystemCommandPromptId(item)) : "");
    } else {
        m_statusBar.SetText(CommandPrompt(item));
    }
}

LRESULT FrameWindow::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        m_tooltip = CommandTooltip(static_cast<UINT>(header->idFrom));
        info->lpszText = const_cast<char*>(m_tooltip.c_str());
        return 0;
    }
    if (header->hwndFrom == m_toolBar.Handle() && header->code == TBN_HOTITEMCHANGE) {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
        if ((hot->dwFlags & HICF_LEAVING) != 0) {
            ShowIdleMessage();
        } else {
            m_statusBar.SetText(CommandPrompt(static_cast<UINT>(hot->idNew)));
        }
        return 0;
    }
    return 0;
}

LRESULT FrameWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                RecalcLayout();
            }
            return 0;
        case WM_COMMAND:
            // Notifications from the bars themselves are not commands.
            if (lParam != 0 && !IsBar(reinterpret_cast<HWND>(lParam), m_toolBar, m_statusBar)) {
                return WndProcDefault(message, wParam, lParam);
            }
            RouteCommand(LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == 0) {  // not the system menu
                OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            }
            return 0;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_ENTERMENULOOP:
            OnMenuLoop(true);
            return 0;
        case WM_EXITMENULOOP:
            OnMenuLoop(false);
            ShowIdleMessage();
            return 0;
        case kWmShowHelpTopic:
            ShowHelpTopic(static_cast<DWORD>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                EndContextHelpMode();  // another application came to the front
            }
            return WndProcDefault(message, wParam, lParam);
        case WM_CANCELMODE:
            OnCaptureChanged(nullptr);
            return WndProcDefault(message, wParam, lParam);
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return WndProcDefault(message, wParam, lParam);
        case WM_ENABLE:
            // A modal dialog disables the frame; the floating toolbar's palette is a window
            // of its own and would otherwise take commands meanwhile.
            m_toolBar.EnablePalette(wParam != FALSE);
            return 0;
        case WM_SETFOCUS:
            if (m_view != nullptr && m_view->Handle() != nullptr) {
                SetFocus(m_view->Handle());
            }
            return 0;
        default:
            return WndProcDefault(message, wParam, lParam);
    }
}

}  // namespace framework
