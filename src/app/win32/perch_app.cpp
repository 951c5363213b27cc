#include "app/win32/perch_app.h"

#include <commctrl.h>

#include "app/frame_rules.h"
#include "framework/win32/strings.h"
#include "res/resource.h"

namespace perch {
namespace {

// Where the profile lives: HKEY_CURRENT_USER\Software\Halden\Perch.
constexpr char kRegistryKey[] = "Halden";
constexpr char kAppName[] = "Perch";

BOOL CALLBACK MatchInstance(HWND hwnd, LPARAM param) {
    // A limit of 255: at most 254 characters of the title take part.
    char text[256] = {};
    GetWindowTextA(hwnd, text, 255);
    if (IsInstanceTitle(text)) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindRunningInstance() {
    HWND found = nullptr;
    EnumChildWindows(GetDesktopWindow(), MatchInstance, reinterpret_cast<LPARAM>(&found));
    return found;
}

void HandOverTo(HWND running) {
    HWND popup = GetLastActivePopup(running);
    SetForegroundWindow(running);
    ShowWindow(running, SW_SHOWNORMAL);
    if (popup != nullptr && popup != running) {
        BringWindowToTop(popup);
    }
}

CPerchApp::CPerchApp() : Application(kAppName), m_profile(kRegistryKey, kAppName) {}

bool CPerchApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    if (HWND running = FindRunningInstance()) {
        HandOverTo(running);
        return false;
    }

    m_frame = std::make_unique<CMainFrame>(m_windows, m_profile, m_codePage);
    if (!m_frame->CreateFrame()) {
        framework::ShowMessageBox(nullptr, IDS_CREATE_FAILED);
        m_frame.reset();
        return false;
    }
    SetMainFrame(m_frame.get());
    SetAccelerators(LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
    ShowWindow(m_frame->Handle(), ShowCommand());
    UpdateWindow(m_frame->Handle());

    if (m_frame->view().board().ShowsSplash() && m_splash.CreateModeless(m_frame->Handle())) {
        ShowWindow(m_splash.Handle(), SW_SHOW);
    }
    m_splashShownAt = GetTickCount();
    return true;
}

bool CPerchApp::OnIdle(long count) {
    const bool more = Application::OnIdle(count);
    if (!SplashUp()) {
        return more;
    }
    if (!SplashDue(GetTickCount(), m_splashShownAt)) {
        return true;
    }
    m_splash.Destroy();
    UpdateWindow(m_frame->Handle());
    ShowWindow(m_frame->Handle(), SW_SHOWNORMAL);
    return more;
}

DWORD CPerchApp::IdleWaitLimit() {
    if (!SplashUp()) {
        return INFINITE;
    }
    const DWORD elapsed = GetTickCount() - m_splashShownAt;
    return elapsed > kSplashMs ? 0 : kSplashMs + 1 - elapsed;
}

}  // namespace perch
