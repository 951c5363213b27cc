#include "board/win32/perch_view.h"

#include <commdlg.h>
#include <windowsx.h>

#include "board/win32/gdi_painter.h"
#include "framework/win32/dpi.h"
#include "framework/win32/screen.h"
#include "framework/win32/strings.h"
#include "res/resource.h"
#include "settings/win32/perch_property_sheet.h"

namespace perch {
namespace {

LOGFONTA ToLogFont(const FontDescription& font) {
    LOGFONTA lf{};
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
    static_assert(sizeof lf.lfFaceName == sizeof font.faceName);
    memcpy(lf.lfFaceName, font.faceName, sizeof lf.lfFaceName);
    lf.lfFaceName[sizeof lf.lfFaceName - 1] = '\0';
    return lf;
}

FontDescription FromLogFont(const LOGFONTA& lf) {
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
    static_assert(sizeof lf.lfFaceName == sizeof font.faceName);
    memcpy(font.faceName, lf.lfFaceName, sizeof font.faceName);
    font.faceName[sizeof font.faceName - 1] = '\0';
    return font;
}

}  // namespace

CPerchView::CPerchView(WindowSystem& windows, Profile& profile, const CodePage& codePage,
                       FrameHost& frame)
    : m_board(windows, profile, codePage, *this, frame) {}

CPerchView::~CPerchView() {
    ReleaseFont();
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
    LOGFONTA lf = ToLogFont(font);
    lf.lfHeight = framework::ScaleToDpi(lf.lfHeight, m_fontDpi);
    lf.lfWidth = framework::ScaleToDpi(lf.lfWidth, m_fontDpi);
    m_font = CreateFontIndirectA(&lf);
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
    LOGFONTA lf = ToLogFont(font);
    lf.lfHeight = framework::ScaleToDpi(lf.lfHeight, dialogDpi);
    lf.lfWidth = framework::ScaleToDpi(lf.lfWidth, dialogDpi);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetParent(Handle());
    choose.lpLogFont = &lf;
    // Screen fonts only and no effects group (underline, strikeout, colour).
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choose)) {
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
        case WM_DESTROY:
            m_board.OnDestroy();
            return 0;
        default:
            return WndProcDefault(message, wParam, lParam);
    }
}

}  // namespace perch
