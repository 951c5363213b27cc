// One refresh tick on a real MDI application under Wine, against the bare walk of the
// same document windows (bare_walk.h: the reads no tick can do without) in the same run.
// Usage: refresh_tick_wine_bench <path of mdi_app.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bare_walk.h"
#include "mdi_app_protocol.h"
#include "platform/code_page.h"
#include "platform/win32/win32_window_system.h"
#include "support/refresh_parts.h"
#include "tracker/tracker.h"

namespace {

class CountingHost : public perch::BoardHost {
  public:
    bool InvalidateTitleBox(std::string_view) override {
        ++invalidations;
        return true;
    }
    void InvalidateAll() override { ++invalidations; }
    int invalidations = 0;
};

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double Seconds(F&& f) {
    const double start = Now();
    f();
    return Now() - start;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The process's CPU time so far, in 100 ns units.
ULONGLONG CpuTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto value = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// Waits until the application has stopped working (no CPU time used for 300 ms, at most
// 20 s): while it still paints new documents, both sides of the comparison would be
// slowed by it, and the ratio squeezed toward 1.
void WaitUntilIdle(HANDLE process, HWND app) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(app, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
    ULONGLONG last = CpuTime(process);
    int quietSteps = 0;
    for (int i = 0; i < 200 && quietSteps < 3; ++i) {
        Sleep(100);
        const ULONGLONG now = CpuTime(process);
        quietSteps = now == last ? quietSteps + 1 : 0;
        last = now;
    }
}

HWND StartApp(const char* exe, const std::string& title, HANDLE* process) {
    std::string command;
    command.append("\"").append(exe).append("\" \"").append(title).append("\"");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return nullptr;
    }
    CloseHandle(pi.hThread);
    *process = pi.hProcess;
    for (int i = 0; i < 100; ++i) {
        if (HWND h = FindWindowA(nullptr, title.c_str())) {
            return h;
        }
        Sleep(100);
    }
    return nullptr;
}

void Send(HWND app, const std::string& command) {
    COPYDATASTRUCT data{};
    data.dwData = kMdiAppCommand;
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    SendMessageA(app, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: refresh_tick_wine_bench <mdi_app.exe>\n");
        return 2;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PerchBenchBoard";
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Board", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    HWND view = CreateWindowExA(0, wc.lpszClassName, nullptr, WS_CHILD, 0, 0, 10, 10, frame,
                                nullptr, wc.hInstance, nullptr);

    int worst = 0;
    for (int count : {10, 100, 1000}) {
        std::string title = "Bench ";
        title.append(std::to_string(count));
        HANDLE process = nullptr;
        HWND app = StartApp(argv[1], title, &process);
        if (app == nullptr) {
            std::fprintf(stderr, "the MDI application did not start\n");
            return 1;
        }
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "add\tC:\\WORK\\Document %04d.txt",
                          (i * 7919) % count);
            Send(app, name);
        }
        SetForegroundWindow(app);
        WaitUntilIdle(process, app);

        perch::Win32WindowSystem windows;
        perch::CodePage codePage;
        perch::Settings settings;
        settings.Visibility = perch::kVisibilityNormal;
        perch::Tracker tracker(windows, settings, codePage,
                               reinterpret_cast<perch::WindowHandle>(view),
                               reinterpret_cast<perch::WindowHandle>(frame));
        CountingHost host;
        perch::test::RefreshParts parts(windows, tracker, settings, host);
        perch::RefreshCycle& cycle = parts.cycle;
        cycle.RefreshTick();  // the first tick fills the board
        if (tracker.CurrentTitles().size() != static_cast<size_t>(count)) {
            std::fprintf(stderr, "expected %d documents on the board, found %zu\n", count,
                         tracker.CurrentTitles().size());
            return 1;
        }
        HWND client = reinterpret_cast<HWND>(tracker.App().mdiClient);

        const int reps = count >= 1000 ? 31 : 101;
        std::vector<std::wstring> seen;
        const auto keep = [&](const wchar_t* text, int length) { seen.emplace_back(text, length); };
        auto bareWalk = [&] {
            seen.clear();
            BareWalk(client, keep);
        };
        auto visibilityWalk = [&] {
            seen.clear();
            VisibilityWalk(client, keep);
        };
        // Alternate them, so that whatever else the desktop does weighs on all alike.
        std::vector<double> walks, visibilityWalks, ticks;
        for (int r = 0; r < reps; ++r) {
            walks.push_back(Seconds(bareWalk));
            visibilityWalks.push_back(Seconds(visibilityWalk));
            ticks.push_back(Seconds([&] { cycle.RefreshTick(); }));
        }
        const double walk = Median(walks);
        const double visibility = Median(visibilityWalks);
        const double tick = Median(ticks);
        const double target = count >= 1000 ? 1.05 : 1.15;

        std::uint64_t rebuildsBefore = tracker.RebuildCount();
        host.invalidations = 0;
        for (int i = 0; i < 100; ++i) {
            cycle.RefreshTick();
        }
        std::printf(
            "%5d documents: tick %.3f ms, bare walk %.3f ms, ratio at %d: tick/bare walk = %.2f "
            "(target at most %.2f); against the walk with a visibility query per document "
            "(%.3f ms) %.2f; over 100 unchanged ticks %llu rebuilds, %d invalidations\n",
            count, tick * 1e3, walk * 1e3, count, tick / walk, target, visibility * 1e3,
            tick / visibility,
            static_cast<unsigned long long>(tracker.RebuildCount() - rebuildsBefore),
            host.invalidations);
        if (tracker.RebuildCount() != rebuildsBefore || host.invalidations != 0) {
            worst = 1;
        }
        PostMessageA(app, WM_CLOSE, 0, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    DestroyWindow(frame);
    return worst;
}
