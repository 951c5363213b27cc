#include "app/win32/main_frame.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/bar_state.h"
#include "app/frame_dpi.h"
#include "app/win32/dialogs.h"
#include "framework/win32/dpi.h"
#include "framework/win32/screen.h"
#include "res/resource.h"

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
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

}  // namespace

CMainFrame::CMainFrame(WindowSystem& windows, Profile& profile, const CodePage& codePage)
    : FrameWindow(IDR_MAINFRAME),
      m_windows(windows),
      m_profile(profile),
      m_view(windows, profile, codePage, *this) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_compactMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_fullMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_FULLMENU));
}

CMainFrame::~CMainFrame() {
    // A menu still attached to a live window is destroyed with it; the others are ours
    // (the frame takes its menu off when it is destroyed).
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
    m_dpi = framework::WindowDpi(Handle());
    // The board view first: it loads the settings, takes the menu bar off when it is not
    // to show, and places the frame.
    SetView(&m_view, &m_view);
    if (!m_view.CreateView(Handle())) {
        return -1;
    }
    if (!StatusBarPane().Create(Handle(), ID_VIEW_STATUS_BAR)) {
        return -1;
    }
    ShowIdleMessage();
    const bool cascades = m_windows.SystemCascades();
    std::vector<UINT> buttons = {ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT, ID_WINDOWS_CLOSE,
                                 ID_WINDOWS_MINIMIZE};
    if (cascades) {
        buttons.push_back(ID_WINDOWS_CASCADE);  // no button for what the system cannot do
    }
    if (!ToolBar().Create(Handle(), ID_VIEW_TOOLBAR, cascades ? IDB_TOOLBAR5 : IDB_TOOLBAR4, buttons,
                          kButtonSize, kImageSize, [this] { OnBarsChanged(); })) {
        return -1;
    }
    LoadBarState();
    // No maximize box; a taskbar button always.
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_MAXIMIZEBOX);
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_metrics = MetricsForScreen(framework::ScreenCaps(HORZRES), m_dpi);
    RecalcLayout();
    InvalidateRect(Handle(), nullptr, TRUE);
    return 0;
}

int CMainFrame::MinFrameHeight() const {
    // The board's fit keeps the view as tall as a toolbar docked at a side needs; a frame
    // dragged short keeps the same, with the caption, menu and bars around the view.
    const int needed = ToolBar().HeightNeeded();
    if (needed <= 0 || m_view.Handle() == nullptr) {
        return m_metrics.minTrackHeight;
    }
    RECT frame{};
    RECT view{};
    GetWindowRect(Handle(), &frame);
    GetClientRect(m_view.Handle(), &view);
    const int aroundView = (frame.bottom - frame.top) - (view.bottom - view.top);
    return std::max(m_metrics.minTrackHeight, MinTrackHeight() + aroundView);
}

int CMainFrame::MinTrackHeight() const {
    return std::max(m_metrics.minTrackHeight, ToolBar().HeightNeeded());
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

void CMainFrame::ShowStatusText(std::string_view text) {
    SetIdleMessage(std::string(text));
}

void CMainFrame::SaveBarState() {
    BarStateRecord record{framework::ScreenCaps(HORZRES), framework::ScreenCaps(VERTRES), {}};
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
    // The board is told once it has loaded its settings.
    if (m_view.Handle() != nullptr) {
        m_view.board().OnBarsChanged();
    }
}

void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = framework::SaneDpi(dpi);
    m_metrics = MetricsForScreen(framework::ScreenCaps(HORZRES), m_dpi);
    ToolBar().SetDpi(m_dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_view.board().OnDpiChanged();
    RecalcLayout();
}

void CMainFrame::OnSize(WPARAM type, int cx) {
    if (type != SIZE_MINIMIZED) {
        RecalcLayout();
    }
    if (m_view.board().MenuShown()) {
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
        board.OnFrameMinimizing();
    }
    const LRESULT result = WndProcDefault(WM_SYSCOMMAND, id, param);
    if (id == kScRestoreExact) {
        board.OnFrameRestored();
    }
    return result;
}

void CMainFrame::PrepareToClose() {
    m_view.board().SaveSettingsOnExit();
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

framework::CommandStatus CMainFrame::QueryFrameCommand(UINT id) {
    if (id == ID_APP_ABOUT) {
        return {true, true, false};
    }
    return FrameWindow::QueryFrameCommand(id);
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
            info->ptMinTrackSize.x = m_view.board().MinimumFrameWidth();
            info->ptMinTrackSize.y = MinFrameHeight();
            return WndProcDefault(message, wParam, lParam);
        }
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
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
            // Both menus are the frame's to destroy; the system would destroy the attached
            // one too.
            SetMenu(Handle(), nullptr);
            CloseHelp();  // no viewer is left behind
            PostQuitMessage(0);
            return 0;
        default:
            return FrameWindow::WndProc(message, wParam, lParam);
    }
}

}  // namespace perch
