#include "board/win32/perch_view.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>

#include "board/win32/gdi_painter.h"
#include "framework/win32/dpi.h"
#include "framework/win32/wide_text.h"
#include "platform/utf8.h"
#include "framework/win32/screen.h"
#include "framework/win32/strings.h"
#include "res/resource.h"
#include "settings/win32/perch_property_sheet.h"

namespace perch {
namespace {

LOGFONTW ToLogFont(const FontDescription& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    lf.lfOutPrecision = font.outPrecision;
    lf.lfClipPrecision = font.clipPrecision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitchAndFamily;
    // The face name is UTF-8 of at most 31 characters; LOGFONT holds 31 wide ones.
    const std::wstring face = framework::Widen(
        std::string_view(font.faceName, strnlen(font.faceName, sizeof font.faceName)));
    const std::size_t units = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    face.copy(lf.lfFaceName, units);
    lf.lfFaceName[units] = L'\0';
    return lf;
}

FontDescription FromLogFont(const LOGFONTW& lf) {
    FontDescription font;
    font.height = lf.lfHeight;
    font.width = lf.lfWidth;
    font.escapement = lf.lfEscapement;
    font.orientation = lf.lfOrientation;
    font.weight = lf.lfWeight;
    font.italic = lf.lfItalic;
    font.underline = lf.lfUnderline;
    font.strikeOut = lf.lfStrikeOut;
    font.charSet = lf.lfCharSet;
    font.outPrecision = lf.lfOutPrecision;
    font.clipPrecision = lf.lfClipPrecision;
    font.quality = lf.lfQuality;
    font.pitchAndFamily = lf.lfPitchAndFamily;
    const std::string face = framework::Narrow(
        std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    const std::size_t length =
        std::min(CutToChars(face, FontDescription::kFaceChars), sizeof font.faceName - 1);
    memcpy(font.faceName, face.data(), length);
    font.faceName[length] = '\0';
    return font;
}

}  // namespace

CPerchView::CPerchView(WindowSystem& windows, Profile& profile, const CodePage& codePage,
                       FrameHost& frame)
    : m_board(windows, profile, codePage, *this, frame) {}

CPerchView::~CPerchView() {
    ReleaseFont();
    if (m_accessible != nullptr) {
        m_accessible->Disconnect();
        m_accessible->Release();
    }
}

bool CPerchView::CreateView(HWND frame) {
    return Create("PerchView", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, frame,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)));
}

// --- ViewHost ---

void CPerchView::InvalidateRect(const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::InvalidateRect(Handle(), &r, TRUE);
}

void CPerchView::InvalidateAll() {
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CPerchView::ShowMessage(unsigned stringId) {
    framework::ShowMessageBox(GetParent(Handle()), stringId);
}

unsigned CPerchView::StartTimer(unsigned id, int periodMs) {
    return static_cast<unsigned>(SetTimer(Handle(), id, static_cast<UINT>(periodMs), nullptr));
}

void CPerchView::StopTimer(unsigned timerId) {
    KillTimer(Handle(), timerId);
}

int CPerchView::LogPixelsY() {
    // The board's fonts are described at 96 DPI (as they are stored); the view makes them
    // at the DPI of its monitor.
    return framework::kBaseDpi;
}

bool CPerchView::SetBoardFont(const FontDescription& font) {
    ReleaseFont();
    m_fontDpi = framework::WindowDpi(Handle());
    LOGFONTW lf = ToLogFont(font);
    lf.lfHeight = framework::ScaleToDpi(lf.lfHeight, m_fontDpi);
    lf.lfWidth = framework::ScaleToDpi(lf.lfWidth, m_fontDpi);
    m_font = CreateFontIndirectW(&lf);
    if (m_font == nullptr) {
        return false;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    SetCursor(previous);
    return true;
}

void CPerchView::RedrawNow() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CPerchView::RunFontDialog(FontDescription& font) {
    // The dialog works in the screen's DPI; the board's fonts are kept at 96.
    const int dialogDpi = framework::ScreenCaps(LOGPIXELSY);
    LOGFONTW lf = ToLogFont(font);
    lf.lfHeight = framework::ScaleToDpi(lf.lfHeight, dialogDpi);
    lf.lfWidth = framework::ScaleToDpi(lf.lfWidth, dialogDpi);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetParent(Handle());
    choose.lpLogFont = &lf;
    // Screen fonts only and no effects group (underline, strikeout, colour).
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&choose)) {
        return false;
    }
    lf.lfHeight = framework::UnscaleFromDpi(lf.lfHeight, dialogDpi);
    lf.lfWidth = framework::UnscaleFromDpi(lf.lfWidth, dialogDpi);
    font = FromLogFont(lf);
    return true;
}

bool CPerchView::RunPropertiesSheet(PropertiesPages& pages) {
    return ShowPropertiesSheet(GetParent(Handle()), pages);
}

void CPerchView::NotifyAccessibleEvent(AccessibleEvent event, int box) {
    // Only the window with the keyboard focus tells where the focus is.
    if (event == AccessibleEvent::kFocus && GetFocus() != Handle()) {
        return;
    }
    static constexpr std::pair<AccessibleEvent, DWORD> kWinEvents[] = {
        {AccessibleEvent::kFocus, EVENT_OBJECT_FOCUS},
        {AccessibleEvent::kSelection, EVENT_OBJECT_SELECTION},
        {AccessibleEvent::kSelectionAdd, EVENT_OBJECT_SELECTIONADD},
        {AccessibleEvent::kSelectionRemove, EVENT_OBJECT_SELECTIONREMOVE},
        {AccessibleEvent::kSelectionWithin, EVENT_OBJECT_SELECTIONWITHIN},
        {AccessibleEvent::kReorder, EVENT_OBJECT_REORDER},
        {AccessibleEvent::kNameChange, EVENT_OBJECT_NAMECHANGE},
    };
    for (const auto& [accessibleEvent, winEvent] : kWinEvents) {
        if (accessibleEvent == event) {
            NotifyWinEvent(winEvent, Handle(), OBJID_CLIENT, ChildIdOfBox(box));
            return;
        }
    }
}

void CPerchView::ReleaseFont() {
    if (m_font != nullptr) {
        DeleteObject(m_font);
        m_font = nullptr;
    }
}

// --- CommandTarget ---

bool CPerchView::OnCommand(UINT id) {
    return m_board.OnCommand(id);
}

framework::CommandStatus CPerchView::QueryCommand(UINT id) {
    return m_board.QueryCommand(id);
}

// --- Messages ---

LRESULT CPerchView::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    {
        GdiPainter painter(dc, m_font, m_fontDpi);
        m_board.Paint(painter);
    }
    EndPaint(Handle(), &ps);
    return 0;
}

LRESULT CPerchView::OnMouse(MouseMessage message, UINT message32, WPARAM wParam, LPARAM lParam) {
    const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_board.OnMouse(message, static_cast<unsigned>(wParam), at)) {
        return WndProcDefault(message32, wParam, lParam);
    }
    return 0;
}

bool CPerchView::OnKeyDown(WPARAM key) {
    // Ctrl and Alt combinations belong to the accelerators and the menus.
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    static constexpr std::pair<WPARAM, BoardKey> kKeys[] = {
        {VK_UP, BoardKey::kUp},       {VK_DOWN, BoardKey::kDown},   {VK_LEFT, BoardKey::kLeft},
        {VK_RIGHT, BoardKey::kRight}, {VK_HOME, BoardKey::kHome},   {VK_END, BoardKey::kEnd},
        {VK_RETURN, BoardKey::kEnter}, {VK_SPACE, BoardKey::kSpace}, {VK_ESCAPE, BoardKey::kEscape},
    };
    for (const auto& [virtualKey, boardKey] : kKeys) {
        if (virtualKey == key) {
            return m_board.OnKey(boardKey, GetKeyState(VK_SHIFT) < 0);
        }
    }
    return false;
}

void CPerchView::ShowBoardMenu() {
    if (m_board.IsBusy()) {
        return;
    }
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_BOARD_MENU));
    if (menu == nullptr) {
        return;
    }
    const Point at = m_board.ContextMenuPoint();
    POINT screen{at.x, at.y};
    ClientToScreen(Handle(), &screen);
    // Owned by the frame: it greys the items by the commands' state as it does for its own
    // menus, shows their prompts, and routes the chosen command.
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x,
                   screen.y, 0, GetParent(Handle()), nullptr);
    DestroyMenu(menu);
}

LRESULT CPerchView::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
        return WndProcDefault(WM_GETOBJECT, wParam, lParam);
    }
    if (m_accessible == nullptr) {
        m_accessible = new BoardAccessible(Handle(), m_board);
    }
    return LresultFromObject(__uuidof(IAccessible), wParam, m_accessible);
}

LRESULT CPerchView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            m_board.SetBoardWindows(reinterpret_cast<WindowHandle>(Handle()),
                                    reinterpret_cast<WindowHandle>(GetParent(Handle())));
            m_board.OnCreate();
            return 0;
        case WM_PAINT:
            return OnPaint();
        case WM_PRINTCLIENT: {
            GdiPainter painter(reinterpret_cast<HDC>(wParam), m_font, m_fontDpi);
            m_board.Print(painter, (lParam & PRF_ERASEBKGND) != 0);
            return 0;
        }
        case WM_ERASEBKGND: {
            GdiPainter painter(reinterpret_cast<HDC>(wParam), nullptr);
            m_board.EraseBackground(painter);
            return 1;
        }
        case WM_TIMER:
            m_board.OnTimer(static_cast<unsigned>(wParam));
            return WndProcDefault(message, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnMouse(MouseMessage::kLeftDown, message, wParam, lParam);
        case WM_LBUTTONUP:
            return OnMouse(MouseMessage::kLeftUp, message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            return OnMouse(MouseMessage::kLeftDoubleClick, message, wParam, lParam);
        case WM_RBUTTONDOWN:
            return OnMouse(MouseMessage::kRightDown, message, wParam, lParam);
        case WM_RBUTTONUP:
            return OnMouse(MouseMessage::kRightUp, message, wParam, lParam);
        case WM_RBUTTONDBLCLK:
            return OnMouse(MouseMessage::kRightDoubleClick, message, wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouse(MouseMessage::kMove, message, wParam, lParam);
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) {
                return 0;
            }
            return WndProcDefault(message, wParam, lParam);
        case WM_CONTEXTMENU:
            // From the keyboard (Shift+F10, the menu key) only: the right button keeps its
            // own meaning on the board.
            if (lParam == -1) {
                ShowBoardMenu();
                return 0;
            }
            return WndProcDefault(message, wParam, lParam);
        case WM_GETOBJECT:
            return OnGetObject(wParam, lParam);
        case WM_DESTROY:
            m_board.OnDestroy();
            if (m_accessible != nullptr) {
                // A screen reader may hold the object longer than the board lives.
                m_accessible->Disconnect();
                m_accessible->Release();
                m_accessible = nullptr;
            }
            return 0;
        default:
            return WndProcDefault(message, wParam, lParam);
    }
}

}  // namespace perch
