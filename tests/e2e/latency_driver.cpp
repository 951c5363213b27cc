// How long Perch's board takes to show a change the watched application makes, seen from
// outside as a user sees it: the board view's pixels on the screen are read before the
// change, the test MDI application makes it, and the pixels are read again every few
// milliseconds until they differ.
//   latency_driver <perch titles> <watched frame> <other frame> <kind> <count> <limit ms>
// kind: open (documents L1.TXT .. opened), retitle (those retitled R1.TXT ..), activate
// (two documents activated in turn), close (the R documents closed), front (the other
// application and the watched one brought to the front in turn; needs <other frame>), or
// all (each of them <count> times, in that order).
// An optional seventh argument, <jitter ms>, waits a random time below it before each
// change, so that a change falls anywhere between two ticks of Perch's timer.
// Prints one line per kind: "<kind>: median <ms> p95 <ms> max <ms> over <n>". Fails (exit 1)
// when a change did not show within <limit ms>.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e_windows.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kViewId = 59648;  // the frame's view (AFX_IDW_PANE_FIRST)

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The first top-level window with one of the titles ("A|B").
HWND FindByTitles(const std::string& titles) {
    size_t start = 0;
    for (;;) {
        const size_t bar = titles.find('|', start);
        const std::string title = titles.substr(start, bar == std::string::npos ? bar : bar - start);
        if (HWND h = FindWindowA(nullptr, title.c_str())) {
            return h;
        }
        if (bar == std::string::npos) {
            return nullptr;
        }
        start = bar + 1;
    }
}

// The board view's pixels as the screen shows them.
class ViewPixels {
  public:
    explicit ViewPixels(HWND view) : view_(view) {}

    std::vector<DWORD> Read() const {
        RECT r{};
        GetWindowRect(view_, &r);
        const int w = std::max<LONG>(r.right - r.left, 1);
        const int h = std::max<LONG>(r.bottom - r.top, 1);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                                  static_cast<const DWORD*>(bits) + static_cast<size_t>(w) * h);
        pixels.push_back(static_cast<DWORD>(w));  // a resized view is a change too
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return pixels;
    }

  private:
    HWND view_;
};

// Waits until the view has looked the same for a while (the board settled after a change),
// for up to 5 s.
void Settle(const ViewPixels& view) {
    std::vector<DWORD> last = view.Read();
    auto same = Clock::now();
    const auto start = Clock::now();
    while (MillisecondsSince(same) < 150 && MillisecondsSince(start) < 5000) {
        Sleep(10);
        std::vector<DWORD> now = view.Read();
        if (now != last) {
            last = std::move(now);
            same = Clock::now();
        }
    }
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t at = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: latency_driver <perch titles> <watched frame> <other frame> <kind> "
                     "<count> <limit ms>\n");
        return 2;
    }
    const std::string perchTitles = argv[1];
    const std::string kind = argv[4];
    const int count = std::atoi(argv[5]);
    const double limit = std::atof(argv[6]);
    const int jitter = argc > 7 ? std::atoi(argv[7]) : 0;
    std::srand(static_cast<unsigned>(GetTickCount()));
    HWND perch = FindByTitles(perchTitles);
    HWND watched = FindWindowA(nullptr, argv[2]);
    HWND other = FindWindowA(nullptr, argv[3]);
    HWND view = perch != nullptr ? GetDlgItem(perch, kViewId) : nullptr;
    if (view == nullptr || watched == nullptr || count < 1) {
        std::fprintf(stderr, "no Perch board view or no watched application\n");
        return 2;
    }
    const ViewPixels pixels(view);
    int failures = 0;

    // One change: made by the application, timed until the board shows something else.
    auto measure = [&](HWND target, const std::string& command, std::vector<double>& times) {
        Settle(pixels);
        if (jitter > 0) {
            Sleep(static_cast<DWORD>(std::rand() % jitter));
        }
        const std::vector<DWORD> before = pixels.Read();
        const auto start = Clock::now();
        if (e2e::MdiAppCommand(target, command) == 0) {
            std::fprintf(stderr, "the MDI application refused \"%s\"\n", command.c_str());
            ++failures;
            return;
        }
        while (pixels.Read() == before) {
            if (MillisecondsSince(start) > 20000) {
                break;
            }
            Sleep(2);
        }
        const double ms = MillisecondsSince(start);
        times.push_back(ms);
        if (ms > limit) {
            std::fprintf(stderr, "\"%s\" showed on the board after %.0f ms (limit %.0f)\n",
                         command.c_str(), ms, limit);
            ++failures;
        }
    };
    auto report = [](const char* name, const std::vector<double>& times) {
        if (!times.empty()) {
            std::printf("%s: median %.0f ms p95 %.0f ms max %.0f ms over %zu\n", name,
                        Percentile(times, 0.5), Percentile(times, 0.95),
                        *std::max_element(times.begin(), times.end()), times.size());
        }
    };

    const bool all = kind == "all";
    if (all || kind == "open") {
        std::vector<double> times;
        for (int i = 1; i <= count; ++i) {
            measure(watched, "add\tL" + std::to_string(i) + ".TXT", times);
        }
        report("open", times);
    }
    if (all || kind == "retitle") {
        std::vector<double> times;
        for (int i = 1; i <= count; ++i) {
            measure(watched, "retitle\tL" + std::to_string(i) + ".TXT\tR" + std::to_string(i) + ".TXT",
                    times);
        }
        report("retitle", times);
    }
    if (all || kind == "activate") {
        std::vector<double> times;
        for (int i = 1; i <= count; ++i) {
            measure(watched, std::string("activate\t") + (i % 2 ? "R1.TXT" : "R2.TXT"), times);
        }
        report("activate", times);
    }
    if (all || kind == "front") {
        std::vector<double> times;
        for (int i = 1; i <= count && other != nullptr; ++i) {
            measure(i % 2 ? other : watched, "front", times);
        }
        report("another application in front", times);
    }
    if (all || kind == "close") {
        std::vector<double> times;
        e2e::BringToFront(watched);
        for (int i = 1; i <= count; ++i) {
            measure(watched, "close\tR" + std::to_string(i) + ".TXT", times);
        }
        report("close", times);
    }
    return failures == 0 ? 0 : 1;
}
