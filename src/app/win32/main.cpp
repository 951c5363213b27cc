// perch.exe entry point. For now the program is a plain top-level window titled "Perch"
// with its message loop; the main frame, the board and the settings come later.
#include <windows.h>

#include "framework/win32/window.h"
#include "resource.h"

namespace {

class PerchWindow : public framework::Window {
  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return WndProcDefault(message, wParam, lParam);
        }
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    // Top right of the work area, out of the way of the application being watched.
    constexpr int kWidth = 260;
    constexpr int kHeight = 160;
    RECT work{0, 0, 640, 480};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    PerchWindow window;
    if (!window.Create("PerchWindow", "Perch", WS_OVERLAPPEDWINDOW, 0, work.right - kWidth - 10,
                       work.top + 10, kWidth, kHeight, nullptr, nullptr, icon)) {
        MessageBoxA(nullptr, "The Perch window could not be created.", "Perch",
                    MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    ShowWindow(window.Handle(), showCommand);
    UpdateWindow(window.Handle());
    return framework::RunMessageLoop();
}
