#include "app/win32/main_frame.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/bar_state.h"
#include "app/win32/dialogs.h"
#include "res/resource.h"
#include "settings/registry_store.h"
#include "tracker/refresh_cycle.h"

namespace perch {
namespace {

constexpr char kFrameClass[] = "PerchFrame";
// The profile name the bars' state is saved under, beside the program's own sections.
static_assert(static_cast<int>(framework::BarSide::kLeft) == static_cast<int>(DockSide::kLeft) &&
              static_cast<int>(framework::BarSide::kBottom) ==
                  static_cast<int>(DockSide::kBottom) &&
              static_cast<int>(framework::BarSide::kRight) == static_cast<int>(DockSide::kRight));
constexpr char kBarStateName[] = "perch32.ini";
constexpr SIZE kButtonSize{21, 19};
constexpr SIZE kImageSize{14, 13};
// The system commands the frame reacts to, compared whole: an id with low bits set is
// some other request.
constexpr WPARAM kScMinimizeExact = 0xF020;
constexpr WPARAM kScRestoreExact = 0xF120;

int ScreenWidth() {
    HDC screen = GetDC(nullptr);
    const int width = GetDeviceCaps(screen, HORZRES);
    ReleaseDC(nullptr, screen);
    return width;
}

}  // namespace

CMainFrame::CMainFrame(WindowSystem& windows, Profile& profile, const CodePage& codePage,
                       FontDescription& font, FontDescription& storedFont)
    : m_windows(windows),
      m_profile(profile),
      m_view(windows, profile, codePage, *this, font, storedFont) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_compactMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_fullMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_FULLMENU));
}

CMainFrame::~CMainFrame() {
    // The menu attached to the window is destroyed with it; the other one is ours.
    HMENU attached = Handle() != nullptr ? GetMenu(Handle()) : nullptr;
    for (HMENU menu : {m_compactMenu, m_fullMenu}) {
        if (menu != nullptr && menu != attached) {
            DestroyMenu(menu);
        }
    }
}

bool CMainFrame::CreateFrame() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    return Create(kFrameClass, "Perch", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, m_compactMenu, icon);
}

LRESULT CMainFrame::OnCreate() {
    // The board view first: it loads the settings and places the frame.
    SetView(&m_view, &m_view);
    if (!m_view.CreateView(Handle())) {
        return -1;
    }
    m_menuShown = m_profile.ReadInt(kOptionsSection, "Menu", 1) != 0;
    if (!m_menuShown) {
        SetMenu(Handle(), nullptr);
    }
    if (!StatusBarPane().Create(Handle(), ID_VIEW_STATUS_BAR)) {
        return -1;
    }
    ShowIdleMessage();
    const bool nt = m_windows.IsNtPlatform();
    std::vector<UINT> buttons = {ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT, ID_WINDOWS_CLOSE,
                                 ID_WINDOWS_MINIMIZE};
    if (!nt) {
        buttons.push_back(ID_WINDOWS_CASCADE);  // the system cascades on the NT platform
    }
    if (!ToolBar().Create(Handle(), ID_VIEW_TOOLBAR, nt ? IDB_TOOLBAR4 : IDB_TOOLBAR5, buttons,
                          kButtonSize, kImageSize, [this] { OnBarsChanged(); })) {
        return -1;
    }
    LoadBarState();
    // No maximize box; a taskbar button always.
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_MAXIMIZEBOX);
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_metrics = MetricsForScreenWidth(ScreenWidth());
    RecalcLayout();
    InvalidateRect(Handle(), nullptr, TRUE);
    return 0;
}

int CMainFrame::MinTrackHeight() const {
    return std::max(m_metrics.minTrackHeight, ToolBar().HeightNeeded());
}

int CMainFrame::MinimumFrameWidth() const {
    // The board may not exist yet while the frame is being created.
    const int cellWidth = m_view.Handle() != nullptr ? m_view.board().layout.cellWidth : 0;
    return MinTrackWidthFor(m_menuShown, cellWidth, m_metrics);
}

void CMainFrame::RemoveMenu() {
    SetMenu(Handle(), nullptr);
}

void CMainFrame::SelectMenu(int clientWidth, bool force) {
    const MenuChoice choice = ChooseMenu(clientWidth, m_compactMenuInUse, force, m_metrics);
    m_compactMenuInUse = choice.compactInUse;
    if (choice.attach == MenuToAttach::kCompact) {
        SetMenu(Handle(), m_compactMenu);
    } else if (choice.attach == MenuToAttach::kFull) {
        SetMenu(Handle(), m_fullMenu);
    }
}

bool CMainFrame::IsBarVisible(unsigned barCommandId) const {
    return barCommandId == ID_VIEW_TOOLBAR ? ToolBar().IsVisible() : StatusBarPane().IsVisible();
}

void CMainFrame::SaveBarState() {
    HDC screen = GetDC(nullptr);
    BarStateRecord record{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES), {}};
    ReleaseDC(nullptr, screen);
    record.bars.push_back({ID_VIEW_STATUS_BAR, StatusBarPane().IsVisible(), DockSide::kBottom});
    const framework::Toolbar& toolBar = ToolBar();
    const POINT at = toolBar.FloatPosition();
    record.bars.push_back({ID_VIEW_TOOLBAR, toolBar.IsVisible(),
                           static_cast<DockSide>(toolBar.Side()), toolBar.IsFloating(),
                           static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)});
    perch::SaveBarState(m_profile, kBarStateName, record);
}

void CMainFrame::LoadBarState() {
    for (const BarState& bar : perch::LoadBarState(m_profile, kBarStateName).bars) {
        if (bar.barId == ID_VIEW_STATUS_BAR) {
            ShowWindow(StatusBarPane().Handle(), bar.visible ? SW_SHOWNA : SW_HIDE);
        } else if (bar.barId == ID_VIEW_TOOLBAR) {
            framework::Toolbar& toolBar = ToolBar();
            toolBar.Show(bar.visible);
            if (bar.floating) {
                toolBar.Float({bar.floatX, bar.floatY});
            } else {
                toolBar.Dock(static_cast<framework::BarSide>(bar.side));
            }
        }
    }
}

void CMainFrame::OnBarsChanged() {
    RecalcLayout();
    // With Auto Size the frame fits the board again at the next paint.
    if (m_view.Handle() != nullptr && m_view.board().settings.Resize != 0) {
        m_view.board().SetResizePending(1);
        m_view.board().InvalidateAll();
    }
}

void CMainFrame::OnSize(WPARAM type, int cx) {
    if (type != SIZE_MINIMIZED) {
        RecalcLayout();
    }
    if (m_menuShown) {
        SelectMenu(cx, false);
    }
    const std::string caption(CaptionForWidth(cx, m_metrics));
    char current[16] = {};
    GetWindowTextA(Handle(), current, sizeof current);
    if (caption != current) {
        SetWindowTextA(Handle(), caption.c_str());
    }
}

LRESULT CMainFrame::OnSysCommand(WPARAM id, LPARAM param) {
    Board& board = m_view.board();
    if (id == kScMinimizeExact) {
        // Without SWP_NOACTIVATE, Wine keeps an active frame in the topmost band.
        SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        board.EmptyBoard();
    }
    const LRESULT result = WndProcDefault(WM_SYSCOMMAND, id, param);
    if (id == kScRestoreExact) {
        if (board.settings.Visibility != kVisibilityNormal) {
            SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            board.SetTopmostApplied(1);
        }
        board.InvalidateAll();
    }
    return result;
}

bool CMainFrame::PrepareToClose() {
    m_view.board().SaveSettingsOnExit();
    return true;
}

bool CMainFrame::OnFrameCommand(UINT id) {
    if (id == ID_APP_ABOUT) {
        CAboutBox().DoModal(Handle());
        return true;
    }
    if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) {
        ToggleBar(id);
        OnBarsChanged();
        return true;
    }
    return FrameWindow::OnFrameCommand(id);
}

LRESULT CMainFrame::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_SIZE:
            OnSize(wParam, LOWORD(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = MinimumFrameWidth();
            info->ptMinTrackSize.y = m_metrics.minTrackHeight;  // the frame, not its client
            return WndProcDefault(message, wParam, lParam);
        }
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_MOVE:
            WndProcDefault(message, wParam, lParam);
            if (m_view.Handle() != nullptr) {
                m_view.board().OnFrameMoved();
            }
            return 0;
        case WM_CLOSE:
            PrepareToClose();
            DestroyWindow(Handle());
            return 0;
        case WM_QUERYENDSESSION:
            PrepareToClose();
            return TRUE;
        case WM_DESTROY:
            CloseHelp();  // no viewer is left behind
            PostQuitMessage(0);
            return 0;
        default:
            return FrameWindow::WndProc(message, wParam, lParam);
    }
}

}  // namespace perch
