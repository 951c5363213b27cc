// Starts perch.exe and reports how long it takes until its board has been painted: the
// frame is there and the board view's update region is empty.
//   first_paint <perch.exe>
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_paint <perch.exe>\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    std::string command = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "perch.exe did not start\n");
        return 1;
    }
    CloseHandle(pi.hThread);
    for (int i = 0; i < 20000; ++i) {
        HWND frame = FindWindowA("PerchFrame", nullptr);
        HWND view = frame != nullptr ? GetDlgItem(frame, 59648) : nullptr;
        if (view != nullptr && IsWindowVisible(view) && !GetUpdateRect(view, nullptr, FALSE)) {
            QueryPerformanceCounter(&now);
            const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart);
            std::printf("first paint of the board after %.0f ms\n", ms);
            PostMessageA(frame, WM_CLOSE, 0, 0);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hProcess);
            return 0;
        }
        Sleep(1);
    }
    std::fprintf(stderr, "the board was not painted within the wait\n");
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    return 1;
}
