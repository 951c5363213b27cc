// A burst of window events against the board's coalescing rule, on the simulated desktop
// with a clock of its own (milliseconds, advanced by the benchmark): a document retitled
// 1,000 times in one second, one retitle a millisecond, each event delivered at once.
// Counts the ticks the events bring forward (target: at most 40) and the time from the last
// retitle to the board showing the last title (target: at most 100 ms), for a host that
// reports every event (Windows) and for one that reports only creation and focus (Wine 8,
// where the refresh timer shows the burst's end). The time a tick itself takes is left out:
// that is what the refresh tick benchmarks measure.
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "board/board.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"

namespace {

using perch::WindowHandle;
using perch::test::SimulatedDesktop;

// The view's timers on the benchmark's clock: each fires at its period until stopped, as
// Win32 timers do.
class ClockViewHost final : public perch::ViewHost {
  public:
    void InvalidateRect(const perch::Rect&) override {}
    void InvalidateAll() override {}
    void ShowMessage(unsigned) override {}
    unsigned StartTimer(unsigned id, int periodMs) override {
        timers[id] = {now + periodMs, periodMs};
        return id;
    }
    void StopTimer(unsigned id) override { timers.erase(id); }
    int LogPixelsY() override { return 96; }
    bool SetBoardFont(const perch::FontDescription&) override { return true; }
    void RedrawNow() override {}
    bool RunFontDialog(perch::FontDescription&) override { return false; }
    bool RunPropertiesSheet(perch::PropertiesPages&) override { return false; }
    void NotifyAccessibleEvent(perch::AccessibleEvent, int) override {}

    // The timers due at the current time, in id order, each once.
    std::set<unsigned> Due() const {
        std::set<unsigned> due;
        for (const auto& [id, timer] : timers) {
            if (timer.due <= now) {
                due.insert(id);
            }
        }
        return due;
    }

    struct Timer {
        std::int64_t due = 0;
        int period = 0;
    };
    std::int64_t now = 0;
    std::map<unsigned, Timer> timers;
};

struct Result {
    int eventTicks = 0;
    int timerTicks = 0;
    std::int64_t finalShownAfter = -1;  // ms after the last retitle; -1: never
};

Result Burst(const std::set<perch::WindowEventKind>& reported) {
    SimulatedDesktop desk;
    perch::test::MemoryProfile profile;
    ClockViewHost view;
    perch::test::RecordingFrameHost frameHost;
    perch::Board board(desk, profile, perch::Utf8Text(), view, frameHost);
    const WindowHandle frame = desk.CreateTopLevel("Perch", "PerchFrame", 7, {700, 100, 900, 300});
    const WindowHandle viewWindow =
        desk.CreateChild(frame, "", "PerchView", {0, 0, 192, 150}, perch::kWsVisible);
    board.SetBoardWindows(viewWindow, frame);
    desk.SetReportedEvents(reported);
    board.OnCreate();
    const SimulatedDesktop::MdiApp app = desk.CreateMdiApp("Editor", 100, {"A", "B", "C"});
    desk.SetForeground(app.frame);

    Result result;
    // The board has shown the application by then; the burst ends away from a timer tick
    // (every 1.5 s), where the timer alone would show it at once.
    constexpr std::int64_t kBurstStart = 2200;
    constexpr int kRetitles = 1000;
    constexpr std::int64_t kLastRetitle = kBurstStart + kRetitles - 1;
    const std::string last = "A " + std::to_string(kRetitles);
    for (view.now = 0; view.now < kLastRetitle + 3000; ++view.now) {
        const std::int64_t step = view.now - kBurstStart;
        if (step >= 0 && step < kRetitles) {
            desk.SetTitle(app.documents[0], "A " + std::to_string(step + 1));
        }
        desk.DeliverEvents();
        for (const unsigned id : view.Due()) {
            if (auto timer = view.timers.find(id); timer != view.timers.end()) {
                timer->second.due += timer->second.period;
            }
            // The ticks of the burst and of the 100 ms after it.
            const bool burst = view.now >= kBurstStart && view.now <= kLastRetitle + 100;
            if (id == perch::kEventTimerId) {
                result.eventTicks += burst ? 1 : 0;
            } else {
                result.timerTicks += burst ? 1 : 0;
            }
            board.OnTimer(id);
        }
        if (result.finalShownAfter < 0 && view.now >= kLastRetitle) {
            for (const std::string& title : board.tracker().CurrentTitles()) {
                if (title == last) {
                    result.finalShownAfter = view.now - kLastRetitle;
                }
            }
        }
    }
    return result;
}

void Report(const char* host, const Result& r) {
    std::printf(
        "burst on %s: 1000 retitles in 1 s make %d event ticks and %d timer ticks, %d in all "
        "(target at most 40); the last title shows %lld ms after the last retitle (target at "
        "most 100)\n",
        host, r.eventTicks, r.timerTicks, r.eventTicks + r.timerTicks,
        static_cast<long long>(r.finalShownAfter));
}

}  // namespace

int main() {
    Report("a host reporting every event (Windows)", Burst({
        perch::WindowEventKind::kForeground, perch::WindowEventKind::kFocus,
        perch::WindowEventKind::kCreate, perch::WindowEventKind::kDestroy,
        perch::WindowEventKind::kShow, perch::WindowEventKind::kHide,
        perch::WindowEventKind::kReorder, perch::WindowEventKind::kNameChange,
        perch::WindowEventKind::kMinimizeStart, perch::WindowEventKind::kMinimizeEnd}));
    Report("Wine 8 (no name-change events: the timer alone)", Burst(SimulatedDesktop::WineEventKinds()));
    return 0;
}
