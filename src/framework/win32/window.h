#pragma once

#include <windows.h>

namespace framework {

// Base of every window of ours. The C++ object is attached on WM_NCCREATE (from the
// creation parameter) and detached on WM_NCDESTROY, so no message is lost before the
// object is known and none reaches it after the window is gone.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return m_hwnd; }

    // Registers the class on first use (the class name is the caller's) and creates the
    // window. Returns false when either step fails.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HMENU menu, HICON icon = nullptr);

  protected:
    // One switch per derived class; anything it does not handle goes to WndProcDefault.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProcDefault(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};

}  // namespace framework
