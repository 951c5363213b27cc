// One refresh tick on an unchanged MDI application against the bare z-order walk over
// the same document windows, and the work quiet ticks cause (which should be none).
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "board/refresh_cycle.h"
#include "ratio_report.h"
#include "support/refresh_parts.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"
#include "tracker/tracker.h"

namespace {

using perch::WindowHandle;
using perch::test::SimulatedDesktop;

class CountingHost final : public perch::BoardHost {
  public:
    bool InvalidateTitleBox(std::string_view) override {
        ++boxes;
        return true;
    }
    void InvalidateAll() override { ++all; }

    std::uint64_t boxes = 0;
    std::uint64_t all = 0;
};

std::vector<std::string> DocumentTitles(std::int64_t count) {
    std::vector<std::string> titles;
    for (std::int64_t i = 0; i < count; ++i) {
        titles.push_back(std::to_string(i % 9 + 1) + "> C:\\DOCS\\report" + std::to_string(i) +
                         (i % 3 == 0 ? ".DOC" : ".txt"));
    }
    return titles;
}

// The board and one watched application, already shown once.
struct Scene {
    explicit Scene(std::int64_t documents) {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", 7, {700, 0, 900, 200});
        view = desk.CreateChild(frame, "", "PerchView");
        tracker.SetBoardWindows(view, frame);
        app = desk.CreateMdiApp("Editor - report0.DOC", 100, DocumentTitles(documents));
        desk.SetForeground(app.frame);
        parts.cycle.RefreshTick();
    }

    SimulatedDesktop desk;
    perch::Settings settings;
    WindowHandle frame = perch::kNoWindow;
    WindowHandle view = perch::kNoWindow;
    perch::Tracker tracker{desk, settings, perch::Utf8Text()};
    CountingHost host;
    perch::test::RefreshParts parts{desk, tracker, settings, host};
    SimulatedDesktop::MdiApp app;
};

void BareWalk(benchmark::State& state) {
    Scene scene(state.range(0));
    SimulatedDesktop& desk = scene.desk;
    for (auto _ : state) {
        // The reads no tick can do without: the client's visibility once, then each
        // document's successor, style and title.
        std::size_t bytes = 0;
        if (desk.IsWindowVisible(scene.app.client)) {
            for (WindowHandle w = desk.GetTopWindow(scene.app.client); w != perch::kNoWindow;
                 w = desk.GetWindow(w, perch::kGwHwndNext)) {
                if ((desk.GetWindowStyle(w) & perch::kWsVisible) != 0) {
                    bytes += desk.GetWindowText(w, perch::kTitleBufferSize).size();
                }
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}

void Tick(benchmark::State& state) {
    Scene scene(state.range(0));
    const std::uint64_t before = scene.host.all + scene.host.boxes;
    for (auto _ : state) {
        scene.parts.cycle.RefreshTick();
    }
    // Those of the timed ticks only, not of the first tick that filled the board.
    state.counters["invalidations"] =
        static_cast<double>(scene.host.all + scene.host.boxes - before);
}

const bool kRegistered = [] {
    for (const std::int64_t n : {10, 100, 1000}) {
        benchmark::RegisterBenchmark("BM_RefreshTick/baseline", BareWalk)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_RefreshTick/new", Tick)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

// 100 ticks with nothing changed: rebuilds and invalidations should both be 0.
void ReportQuietTicks() {
    for (const std::int64_t n : {10, 100, 1000}) {
        Scene scene(n);
        const std::uint64_t rebuilds = scene.tracker.RebuildCount();
        const std::uint64_t invalidations = scene.host.all + scene.host.boxes;
        for (int i = 0; i < 100; ++i) {
            scene.parts.cycle.RefreshTick();
        }
        std::printf(
            "BM_RefreshTick quiet ticks at %lld: 100 ticks, %llu rebuilds, %llu "
            "invalidations (target 0)\n",
            static_cast<long long>(n),
            static_cast<unsigned long long>(scene.tracker.RebuildCount() - rebuilds),
            static_cast<unsigned long long>(scene.host.all + scene.host.boxes - invalidations));
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    ReportQuietTicks();
    return perch::bench::RunWithRatios(argc, argv);
}
