#include "framework/win32/control_bars.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "framework/win32/dpi.h"
#include "framework/win32/strings.h"
#include "framework/win32/wide_text.h"

namespace framework {

namespace {

// How far from an edge of the frame's client area a drop still docks to that edge.
constexpr int kDockZone = 32;
// The grip at the start of each row of a docked toolbar, where the user takes hold of it.
constexpr int kGripWidth = 8;
// How much of a floating palette must be on a monitor for the user to take hold of it: its
// top-left corner and this much caption beside it.
constexpr int kGrabWidth = 32;

// Where a window of this size at this point can be seen and taken hold of: the point
// itself when its top-left corner and a piece of its caption are on a monitor, else the
// nearest monitor's nearest place that holds it whole (a monitor unplugged since its place
// was saved, a damaged value).
POINT OnAMonitor(POINT at, SIZE size) {
    const int grabHeight = GetSystemMetrics(SM_CYSMCAPTION);
    const RECT grab{at.x, at.y, at.x + std::min<LONG>(size.cx, kGrabWidth),
                    at.y + std::min<LONG>(size.cy, grabHeight)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(at, MONITOR_DEFAULTTONULL);
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info) &&
        grab.right <= info.rcMonitor.right && grab.bottom <= info.rcMonitor.bottom) {
        return at;
    }
    const RECT whole{at.x, at.y, at.x + size.cx, at.y + size.cy};
    monitor = MonitorFromRect(&whole, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        return at;
    }
    const RECT& m = info.rcMonitor;
    return {std::max(m.left, std::min<LONG>(at.x, m.right - size.cx)),
            std::max(m.top, std::min<LONG>(at.y, m.bottom - size.cy))};
}

}  // namespace

bool Toolbar::Create(HWND frame, UINT id, UINT bitmapId, const std::vector<UINT>& commands,
                     SIZE buttonSize, SIZE imageSize, std::function<void()> onLayoutChanged) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_frame = frame;
    m_onLayoutChanged = std::move(onLayoutChanged);
    // The frame places the control itself, on whichever side it is docked.
    m_hwnd = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT |
            TBSTYLE_WRAPABLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
        0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (m_hwnd == nullptr) {
        return false;
    }
    SendMessageA(m_hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_dpi = WindowDpi(frame);
    m_bitmapId = bitmapId;
    m_button96 = buttonSize;
    m_image96 = imageSize;
    const SIZE image{Scaled(imageSize.cx), Scaled(imageSize.cy)};
    SendMessageA(m_hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    // The control draws from the bitmap but does not own it: it is freed with the toolbar.
    m_bitmap = LoadImageStrip(instance, bitmapId, static_cast<int>(commands.size()), imageSize,
                              image);
    if (m_bitmap == nullptr) {
        return false;
    }
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(m_bitmap)};
    if (SendMessageA(m_hwnd, TB_ADDBITMAP, commands.size(), reinterpret_cast<LPARAM>(&add)) == -1) {
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
    SendMessageA(m_hwnd, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Scaled(buttonSize.cx), Scaled(buttonSize.cy)));
    SendMessageA(m_hwnd, TB_SETINDENT, GripWidth(), 0);
    // Commands and notifications go to the frame, also while the toolbar floats.
    SendMessageA(m_hwnd, TB_SETPARENT, reinterpret_cast<WPARAM>(frame), 0);
    SetWindowSubclass(m_hwnd, &Toolbar::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    m_commands = commands;
    m_stateBits.assign(commands.size(), TBSTATE_ENABLED);  // as the buttons were added
    return true;
}

int Toolbar::GripWidth() const {
    return Scaled(kGripWidth);
}

void Toolbar::SetDpi(int dpi) {
    dpi = SaneDpi(dpi);
    if (m_hwnd == nullptr || dpi == m_dpi) {
        return;
    }
    m_dpi = dpi;
    const int count = static_cast<int>(m_commands.size());
    const SIZE image{Scaled(m_image96.cx), Scaled(m_image96.cy)};
    // The control takes a new image size only with a new image list (its bitmap size is
    // fixed once it has images); the list is ours, the face colour its transparent one.
    HBITMAP bitmap =
        LoadImageStrip(GetModuleHandleA(nullptr), m_bitmapId, count, m_image96, image);
    HIMAGELIST images = bitmap == nullptr ? nullptr
                                          : ImageList_Create(image.cx, image.cy,
                                                             ILC_COLOR24 | ILC_MASK, count, 0);
    if (images != nullptr && ImageList_AddMasked(images, bitmap, GetSysColor(COLOR_BTNFACE)) >= 0) {
        SendMessageA(m_hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        if (m_images != nullptr) {
            ImageList_Destroy(m_images);
        }
        m_images = images;
        SendMessageA(m_hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    } else if (images != nullptr) {
        ImageList_Destroy(images);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    SendMessageA(m_hwnd, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Scaled(m_button96.cx), Scaled(m_button96.cy)));
    SendMessageA(m_hwnd, TB_SETINDENT, m_floating ? 0 : GripWidth(), 0);
    LayoutChanged();
}

void Toolbar::SetButtonState(UINT command, bool enabled, bool checked) {
    const UINT bits = (enabled ? TBSTATE_ENABLED : 0) | (checked ? TBSTATE_CHECKED : 0);
    const auto at = std::find(m_commands.begin(), m_commands.end(), command);
    if (at == m_commands.end()) {
        return;
    }
    UINT& known = m_stateBits[static_cast<std::size_t>(at - m_commands.begin())];
    if (known == bits) {
        return;
    }
    known = bits;
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

bool Toolbar::IsVisible() const {
    return m_hwnd != nullptr && m_shown;
}

void Toolbar::Show(bool visible) {
    m_shown = visible;
    if (m_floating) {
        ShowWindow(m_palette.Handle(), visible ? SW_SHOWNA : SW_HIDE);
    } else {
        ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
    LayoutChanged();
}

SIZE Toolbar::StripSize(bool vertical) const {
    const LRESULT size = SendMessageA(m_hwnd, TB_GETBUTTONSIZE, 0, 0);
    const int buttonWidth = LOWORD(size);
    const int buttonHeight = HIWORD(size);
    const int count = static_cast<int>(m_commands.size());
    const int grip = m_floating ? 0 : GripWidth();
    // The control wraps its buttons to its width: one button wide at the sides.
    return vertical ? SIZE{grip + buttonWidth, buttonHeight * count}
                    : SIZE{grip + buttonWidth * count, buttonHeight};
}

void Toolbar::Dock(BarSide side) {
    const bool wasFloating = m_floating;
    m_side = side;
    m_floating = false;
    SendMessageA(m_hwnd, TB_SETINDENT, GripWidth(), 0);
    if (wasFloating) {
        SetParent(m_hwnd, m_frame);
        SendMessageA(m_hwnd, TB_SETPARENT, reinterpret_cast<WPARAM>(m_frame), 0);
        ShowWindow(m_palette.Handle(), SW_HIDE);
    }
    ShowWindow(m_hwnd, m_shown ? SW_SHOWNA : SW_HIDE);
    LayoutChanged();
}

Toolbar::~Toolbar() {
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
    }
    if (m_images != nullptr) {
        ImageList_Destroy(m_images);  // the control never owns a list it was given
    }
}

void Toolbar::EnablePalette(bool enabled) {
    if (m_palette.Handle() != nullptr) {
        EnableWindow(m_palette.Handle(), enabled ? TRUE : FALSE);
    }
}

void Toolbar::Float(POINT screenAt) {
    if (m_palette.Handle() == nullptr &&
        !m_palette.Create((AppName() + "ToolPalette").c_str(), "",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, screenAt.x,
                          screenAt.y, 10, 10, m_frame, nullptr)) {
        return;
    }
    m_floating = true;
    SendMessageA(m_hwnd, TB_SETINDENT, 0, 0);  // the palette's caption is the handle
    SetParent(m_hwnd, m_palette.Handle());
    SendMessageA(m_hwnd, TB_SETPARENT, reinterpret_cast<WPARAM>(m_frame), 0);
    const SIZE buttons = StripSize(false);
    RECT r{0, 0, buttons.cx, buttons.cy};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    m_floatAt = OnAMonitor(screenAt, size);
    SetWindowPos(m_palette.Handle(), nullptr, m_floatAt.x, m_floatAt.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(m_hwnd, 0, 0, buttons.cx, buttons.cy, TRUE);
    ShowWindow(m_hwnd, SW_SHOWNA);
    ShowWindow(m_palette.Handle(), m_shown ? SW_SHOWNA : SW_HIDE);
    LayoutChanged();
}

int Toolbar::HeightNeeded() const {
    const bool side = m_side == BarSide::kLeft || m_side == BarSide::kRight;
    if (m_hwnd == nullptr || m_floating || !m_shown || !side) {
        return 0;
    }
    return StripSize(true).cy;
}

void Toolbar::LayoutIn(RECT& client) {
    if (m_hwnd == nullptr || m_floating || !m_shown) {
        return;
    }
    const SIZE buttons = StripSize(m_side == BarSide::kLeft || m_side == BarSide::kRight);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    switch (m_side) {
        case BarSide::kTop:
            MoveWindow(m_hwnd, client.left, client.top, width, buttons.cy, TRUE);
            client.top += buttons.cy;
            break;
        case BarSide::kBottom:
            MoveWindow(m_hwnd, client.left, client.bottom - buttons.cy, width, buttons.cy, TRUE);
            client.bottom -= buttons.cy;
            break;
        case BarSide::kLeft:
            MoveWindow(m_hwnd, client.left, client.top, buttons.cx, height, TRUE);
            client.left += buttons.cx;
            break;
        case BarSide::kRight:
            MoveWindow(m_hwnd, client.right - buttons.cx, client.top, buttons.cx, height, TRUE);
            client.right -= buttons.cx;
            break;
    }
}

bool Toolbar::SideAt(POINT screen, BarSide* side) const {
    RECT client{};
    GetClientRect(m_frame, &client);
    MapWindowPoints(m_frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int zone = Scaled(kDockZone);
    if (screen.x < client.left - zone || screen.x >= client.right + zone ||
        screen.y < client.top - zone || screen.y >= client.bottom + zone) {
        return false;
    }
    // The nearest edge, if it is near enough.
    const int distances[] = {std::abs(screen.y - client.top), std::abs(client.bottom - screen.y),
                             std::abs(screen.x - client.left), std::abs(client.right - screen.x)};
    const BarSide sides[] = {BarSide::kTop, BarSide::kBottom, BarSide::kLeft, BarSide::kRight};
    int best = 0;
    for (int i = 1; i < 4; ++i) {
        if (distances[i] < distances[best]) {
            best = i;
        }
    }
    if (distances[best] > zone) {
        return false;
    }
    *side = sides[best];
    return true;
}

void Toolbar::DropAt(POINT screen) {
    BarSide side{};
    if (SideAt(screen, &side)) {
        Dock(side);
        return;
    }
    RECT frame{};
    GetWindowRect(m_frame, &frame);
    if (!PtInRect(&frame, screen)) {
        Float(screen);
    }
    // Dropped inside the frame, away from its edges: it stays where it was.
}

void Toolbar::LayoutChanged() {
    if (m_onLayoutChanged) {
        m_onLayoutChanged();
    }
}

// Pressing the toolbar outside its buttons starts a drag; the release is the drop.
LRESULT CALLBACK Toolbar::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Toolbar*>(data);
    switch (message) {
        case WM_LBUTTONDOWN: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!self->m_floating &&
                SendMessageA(hwnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)) < 0) {
                self->m_dragging = true;
                SetCapture(hwnd);
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32646)));  // IDC_SIZEALL
                return 0;
            }
            break;
        }
        case WM_LBUTTONUP:
            if (self->m_dragging) {
                self->m_dragging = false;
                ReleaseCapture();
                POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ClientToScreen(hwnd, &at);
                self->DropAt(at);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            self->m_dragging = false;
            break;
        case WM_PAINT:
            if (!self->m_floating) {
                // The grip: a raised bar in the indent before the buttons.
                const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
                RECT client{};
                GetClientRect(hwnd, &client);
                const int inset = self->Scaled(2);
                RECT grip{inset, inset, self->Scaled(5), client.bottom - inset};
                HDC dc = GetDC(hwnd);
                DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
                ReleaseDC(hwnd, dc);
                return result;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &Toolbar::SubclassProc, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT FloatingPalette::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            m_toolbar.Show(false);
            return 0;
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTCAPTION) {
                m_toolbar.Dock(m_toolbar.Side());
                return 0;
            }
            return WndProcDefault(message, wParam, lParam);
        case WM_EXITSIZEMOVE: {
            // Dragged by its caption near an edge of the frame: docked there.
            POINT at{};
            GetCursorPos(&at);
            BarSide side{};
            if (m_toolbar.SideAt(at, &side)) {
                m_toolbar.Dock(side);
            }
            return 0;
        }
        case WM_MOVE:
            if (IsWindowVisible(Handle())) {
                RECT r{};
                GetWindowRect(Handle(), &r);
                m_toolbar.NoteFloatPosition({r.left, r.top});
            }
            return WndProcDefault(message, wParam, lParam);
        default:
            return WndProcDefault(message, wParam, lParam);
    }
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
    // Wide: the text may be a window title in any script.
    const std::wstring wide = Widen(m_text);
    SendMessageW(m_hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
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
