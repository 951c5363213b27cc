#pragma once

#include <optional>
#include <vector>

#include "platform/window_system.h"

namespace perch {

// The window system of the host, through the ANSI ("A") entry points.
//
// The null handle is answered here without calling Win32, because Win32 gives it a
// meaning the interface does not have: GetTopWindow(NULL) and EnumChildWindows(NULL)
// reach the desktop's windows, PostMessage(NULL) posts to our own thread and
// InvalidateRect(NULL) repaints every window.
//
// A source that includes <windows.h> must include it before this header (see
// window_system.h).
class Win32WindowSystem final : public WindowSystem {
  public:
    WindowHandle GetForegroundWindow() override;
    WindowHandle GetDesktopWindow() override;
    WindowHandle GetTopWindow(WindowHandle window) override;
    WindowHandle GetWindow(WindowHandle window, GetWindowCommand command) override;
    void EnumChildWindows(WindowHandle parent, const ChildCallback& callback) override;
    WindowHandle GetParent(WindowHandle window) override;
    WindowHandle GetContainer(WindowHandle window) override;
    void ReadWindowText(WindowHandle window, std::string& into, int bufferSize) override;
    std::uint32_t GetWindowStyle(WindowHandle window) override;
    std::string GetWindowText(WindowHandle window, int bufferSize = kTitleBufferSize) override;
    int GetWindowTextLength(WindowHandle window) override;
    std::string GetClassName(WindowHandle window, int bufferSize = kClassBufferSize) override;
    bool IsWindowVisible(WindowHandle window) override;
    bool IsIconic(WindowHandle window) override;
    bool IsZoomed(WindowHandle window) override;
    std::uint32_t GetWindowProcessId(WindowHandle window) override;
    Rect GetWindowRect(WindowHandle window) override;
    Rect GetClientRect(WindowHandle window) override;
    Rect GetRestoredRect(WindowHandle window) override;
    WindowHandle GetLastActivePopup(WindowHandle window) override;
    bool SystemCascades() override;
    bool IsHungAppWindow(WindowHandle window) override;
    std::vector<Rect> GetMonitorRects() override;

    void BringWindowToTop(WindowHandle window) override;
    void SetForegroundWindow(WindowHandle window) override;
    void ShowWindow(WindowHandle window, ShowCommand command) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    bool SendSysCommand(WindowHandle window, SysCommand command) override;
    void PostSysCommand(WindowHandle window, SysCommand command) override;
    void PostClose(WindowHandle window) override;
    void CascadeWindows(WindowHandle mdiClient) override;
    void InvalidateRect(WindowHandle window) override;
    // Out-of-context WinEvent hooks (win32_window_events.cpp).
    void SetEventSink(WindowEventSink* sink) override;

  private:
    std::optional<bool> m_systemCascades;  // the host does not change while we run
    std::vector<void*> m_eventHooks;       // HWINEVENTHOOKs while a sink listens
};

}  // namespace perch
