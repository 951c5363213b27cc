#include "framework/win32/control_bars.h"

#include <commctrl.h>

namespace framework {

bool Toolbar::Create(HWND parent, UINT id, UINT bitmapId, const std::vector<UINT>& commands,
                     SIZE buttonSize, SIZE imageSize) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_hwnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS |
                                 TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             instance, nullptr);
    if (m_hwnd == nullptr) {
        return false;
    }
    SendMessageA(m_hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(m_hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize.cx, imageSize.cy));
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (bitmap == nullptr) {
        return false;
    }
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap)};
    if (SendMessageA(m_hwnd, TB_ADDBITMAP, commands.size(), reinterpret_cast<LPARAM>(&add)) == -1) {
        DeleteObject(bitmap);
        return false;
    }
    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        TBBUTTON b{};
        b.iBitmap = static_cast<int>(i);
        b.idCommand = static_cast<int>(commands[i]);
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_BUTTON;
        buttons.push_back(b);
    }
    if (!SendMessageA(m_hwnd, TB_ADDBUTTONSA, buttons.size(),
                      reinterpret_cast<LPARAM>(buttons.data()))) {
        return false;
    }
    SendMessageA(m_hwnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonSize.cx, buttonSize.cy));
    m_commands = commands;
    return true;
}

bool Toolbar::IsVisible() const {
    return m_hwnd != nullptr && (GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Toolbar::SetButtonState(UINT command, bool enabled, bool checked) {
    const LRESULT state = SendMessageA(m_hwnd, TB_GETSTATE, command, 0);
    if (state == -1) {
        return;
    }
    LRESULT wanted = state & ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
    wanted |= (enabled ? TBSTATE_ENABLED : 0) | (checked ? TBSTATE_CHECKED : 0);
    // Only real changes: setting a state repaints the button.
    if (wanted != state) {
        SendMessageA(m_hwnd, TB_SETSTATE, command, MAKELPARAM(wanted, 0));
    }
}

int Toolbar::AutoSize() {
    if (!IsVisible()) {
        return 0;
    }
    SendMessageA(m_hwnd, TB_AUTOSIZE, 0, 0);
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return r.bottom - r.top;
}

bool StatusBar::Create(HWND parent, UINT id) {
    m_hwnd = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                             0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    return m_hwnd != nullptr;
}

bool StatusBar::IsVisible() const {
    return m_hwnd != nullptr && (GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void StatusBar::SetText(const std::string& text) {
    // The same text again would only make the pane flicker.
    if (m_hwnd == nullptr || text == m_text) {
        return;
    }
    m_text = text;
    SendMessageA(m_hwnd, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(m_text.c_str()));
}

int StatusBar::AutoSize() {
    if (!IsVisible()) {
        return 0;
    }
    SendMessageA(m_hwnd, WM_SIZE, 0, 0);
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return r.bottom - r.top;
}

}  // namespace framework
