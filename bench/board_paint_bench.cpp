// One paint of the board against the bare cost of measuring the same texts once each
// (the paint measures every text once, so it cannot be cheaper): the paint's own work on
// top should stay within the measuring cost (ratio paint/measure at most 2). Then what the
// board repaints: nothing over 100 unchanged ticks, two boxes for a focus change, only the
// boxes concerned for a selection change.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "board/board.h"
#include "board/refresh_cycle.h"
#include "ratio_report.h"
#include "res/resource.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"

namespace {

using perch::WindowHandle;
using perch::test::SimulatedDesktop;

// A painter that measures like a proportional font (a width per byte from a table) and
// records every call it gets, measurements included, into storage kept between paints.
class BenchPainter final : public perch::Painter {
  public:
    BenchPainter() {
        for (std::size_t i = 0; i < widths_.size(); ++i) {
            widths_[i] = static_cast<int>(4 + (i * 7) % 6);
        }
    }

    perch::TextExtent MeasureText(std::string_view text) override {
        int cx = 0;
        for (const char c : text) {
            cx += widths_[static_cast<unsigned char>(c)];
        }
        calls.push_back({cx, 13, 0, 0, 0, text});
        return {cx, 13};
    }
    void FillRect(const perch::Rect& rect, perch::ColorRef color) override {
        calls.push_back({rect.left, rect.top, rect.right, rect.bottom, color, {}});
    }
    void DrawText(perch::Point at, std::string_view text, perch::ColorRef color) override {
        calls.push_back({at.x, at.y, 0, 0, color, text});
    }
    void DrawLine(perch::Point from, perch::Point to, perch::ColorRef color) override {
        calls.push_back({from.x, from.y, to.x, to.y, color, {}});
    }
    void DrawFocusRect(const perch::Rect& rect) override {
        calls.push_back({rect.left, rect.top, rect.right, rect.bottom, 0, {}});
    }

    struct Call {
        int a, b, c, d;
        perch::ColorRef color;
        std::string_view text;
    };
    std::vector<Call> calls;

  private:
    std::array<int, 256> widths_{};
};

std::vector<std::string> DocumentTitles(std::int64_t count) {
    std::vector<std::string> titles;
    for (std::int64_t i = 0; i < count; ++i) {
        titles.push_back("C:\\DOCS\\report" + std::to_string(i) + (i % 3 == 0 ? ".DOC" : ".txt"));
    }
    return titles;
}

// A created board watching one application, painted once, with one box in focus.
struct Scene {
    explicit Scene(std::int64_t documents) {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", 7, {700, 0, 900, 200});
        view = desk.CreateChild(frame, "", "PerchView", {0, 0, 192, 150});
        board.SetBoardWindows(view, frame);
        profile.WriteInt("Options", "NumColumns", 16);
        board.OnCreate();
        app = desk.CreateMdiApp("Editor", 100, DocumentTitles(documents));
        desk.SetForeground(app.frame);
        board.OnTimer(perch::kRefreshTimerId);
        board.Paint(painter);
        painter.calls.reserve(6 * static_cast<std::size_t>(documents) + 64);
    }

    SimulatedDesktop desk;
    perch::test::MemoryProfile profile;
    perch::test::RecordingViewHost viewHost;
    perch::test::RecordingFrameHost frameHost;
    perch::Board board{desk, profile, perch::Utf8Text(), viewHost, frameHost};
    BenchPainter painter;
    WindowHandle frame = perch::kNoWindow;
    WindowHandle view = perch::kNoWindow;
    SimulatedDesktop::MdiApp app;
};

void MeasureOnly(benchmark::State& state) {
    Scene scene(state.range(0));
    const perch::TitleList& texts = scene.board.tracker().DisplayList();
    // Through the interface, as the board calls it: not inlined into this loop.
    perch::Painter* painter = &scene.painter;
    benchmark::DoNotOptimize(painter);
    for (auto _ : state) {
        scene.painter.calls.clear();
        int widest = 0;
        for (const std::string& text : texts) {
            widest = std::max(widest, painter->MeasureText(text).cx);
        }
        benchmark::DoNotOptimize(widest);
    }
}

void Paint(benchmark::State& state, bool selectAll) {
    Scene scene(state.range(0));
    if (selectAll) {
        scene.board.OnCommand(ID_SELECT_ALL);
    }
    for (auto _ : state) {
        scene.painter.calls.clear();
        scene.board.Paint(scene.painter);
        benchmark::DoNotOptimize(scene.painter.calls.data());
    }
}

const bool kRegistered = [] {
    for (const std::int64_t n : {10, 100, 1000}) {
        benchmark::RegisterBenchmark("BM_BoardPaint/baseline", MeasureOnly)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_BoardPaint/new", Paint, false)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_BoardPaintAllSelected/baseline", MeasureOnly)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_BoardPaintAllSelected/new", Paint, true)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

// What the board invalidates: over 100 unchanged ticks, for a focus change, and for
// selection changes.
void ReportInvalidations() {
    for (const std::int64_t n : {10, 100, 1000}) {
        Scene scene(n);
        perch::Board& board = scene.board;
        perch::test::RecordingViewHost& view = scene.viewHost;
        // Box invalidations and whole-board invalidations so far.
        const auto boxCount = [&view] {
            return static_cast<std::uint64_t>(view.invalidated.size());
        };
        const auto allCount = [&view] { return static_cast<std::uint64_t>(view.invalidatedAll); };

        const std::uint64_t before = boxCount() + allCount();
        for (int i = 0; i < 100; ++i) {
            board.OnTimer(perch::kRefreshTimerId);
        }
        const std::uint64_t quiet = boxCount() + allCount() - before;

        // The application's active document changes: the old and the new focus box.
        scene.desk.Raise(scene.app.documents.back());
        std::uint64_t boxes = boxCount();
        std::uint64_t all = allCount();
        board.OnTimer(perch::kRefreshTimerId);
        const std::uint64_t focusBoxes = boxCount() - boxes;
        const std::uint64_t focusAll = allCount() - all;

        // A right click on one box, then a Ctrl+right click on another.
        boxes = boxCount();
        all = allCount();
        const perch::Rect second = *board.layout().BoxRect(1);
        board.OnMouse(perch::MouseMessage::kRightUp, 0, {3, 3});
        board.OnMouse(perch::MouseMessage::kRightUp, perch::kMkControl,
                      {second.left + 3, second.top + 3});
        const std::uint64_t selectionBoxes = boxCount() - boxes;
        const std::uint64_t selectionAll = allCount() - all;

        std::printf(
            "BM_BoardInvalidations at %lld: 100 quiet ticks %llu (target 0); focus change "
            "%llu boxes, %llu whole (target 2, 0); select one then add one %llu boxes, %llu "
            "whole (target 2, 0)\n",
            static_cast<long long>(n), static_cast<unsigned long long>(quiet),
            static_cast<unsigned long long>(focusBoxes), static_cast<unsigned long long>(focusAll),
            static_cast<unsigned long long>(selectionBoxes),
            static_cast<unsigned long long>(selectionAll));
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    ReportInvalidations();
    return perch::bench::RunWithRatios(argc, argv);
}
