// The tracker and the refresh tick over random window trees: MDI applications, plain
// windows, pop-ups and controls built from the input, changed between ticks and inside
// the tick's own queries (windows closing, retitled, moved to other parents, shown and
// hidden, another window in front). The board's refresh parts run around a tracker as
// the board puts them together; the selection changes as the mouse would change it, the
// options as the properties sheet would. After every step the board's lists must agree.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/busy.h"
#include "board/layout.h"
#include "board/paint.h"
#include "board/refresh_cycle.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/random_desktop.h"
#include "support/board_recorders.h"
#include "support/refresh_parts.h"
#include "tracker/tracker.h"

namespace {

using perch::BoardLayout;
using perch::Rect;
using perch::Settings;
using perch::TitleList;
using perch::Tracker;
using perch::fuzz::FuzzInput;
using perch::fuzz::RandomDesktop;

// The board's part of a tick: invalidations of a title's box go through the layout, as
// the board does them.
class LayoutHost final : public perch::BoardHost {
  public:
    bool InvalidateTitleBox(std::string_view title) override {
        ++boxes;
        return layout != nullptr && layout->BoxRectOfTitle(title).has_value();
    }
    void InvalidateAll() override { ++all; }

    const BoardLayout* layout = nullptr;
    int boxes = 0;
    int all = 0;
};

// A title of the board, as a click on its box would give it, or nothing.
std::optional<std::string> TitleOnTheBoard(const Tracker& tracker, FuzzInput& input) {
    const TitleList& titles = tracker.CurrentTitles();
    if (titles.empty()) {
        return std::nullopt;
    }
    return titles[input.Below(static_cast<std::uint32_t>(titles.size()))];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const perch::CodePage& codePage = perch::fuzz::RandomCodePage(input);
    Settings settings;
    perch::fuzz::RandomizeSettings(input, settings);
    RandomDesktop scene(input);

    Tracker tracker(scene.desk, settings, codePage);
    tracker.SetBoardWindows(scene.view, scene.frame);
    LayoutHost host;
    perch::test::RefreshParts parts(scene.desk, tracker, settings, host);
    host.layout = &parts.layout;
    perch::test::RecordingPainter painter;

    for (int step = 0; step < 64 && !input.Empty(); ++step) {
        switch (input.Byte() % 10) {
            case 0:
            case 1:
            case 2: {
                // A tick, with the windows changing under it.
                scene.ChangeDuringQueries();
                if (input.Bool()) {
                    parts.cycle.RefreshTick();
                } else if (input.Bool()) {
                    const perch::BusyScope busy(parts.busy);
                    parts.cycle.OnTimer(perch::kRefreshTimerId, perch::kRefreshTimerId);
                } else {
                    parts.cycle.OnTimer(perch::kRefreshTimerId, perch::kRefreshTimerId);
                }
                scene.StopChanging();
                break;
            }
            case 3:
                scene.Change(perch::kNoWindow);
                break;
            case 4: {
                // A paint: the layout, the drawing, the fit after it.
                painter.Clear();
                parts.layout.ComputeLayout(painter, parts.frameHost.MinTrackWidth(),
                                           parts.frameHost.MinTrackHeight());
                perch::fuzz::CheckLaidOut(tracker, parts.layout, settings);
                perch::DrawBoard(settings, parts.layout, tracker, parts.selection, painter);
                scene.ChangeDuringQueries();
                parts.placement.FitAfterPaint();
                scene.StopChanging();
                break;
            }
            case 5: {
                // The selection as the right button changes it.
                const std::optional<std::string> title = TitleOnTheBoard(tracker, input);
                switch (input.Below(4)) {
                    case 0:
                        if (title) {
                            parts.selection.ClearSelection();
                            parts.selection.SelectOnly(*title);
                        }
                        break;
                    case 1:
                        if (title) {
                            parts.selection.ToggleSelected(*title);
                        }
                        break;
                    case 2:
                        parts.selection.SelectAll();
                        break;
                    default:
                        parts.selection.ClearSelection();
                        break;
                }
                break;
            }
            case 6:
                // The left button's focus, on a box or on whatever the input says.
                if (const std::optional<std::string> title = TitleOnTheBoard(tracker, input)) {
                    parts.selection.MoveFocusTo(input.Bool() ? *title
                                                             : perch::fuzz::RandomTitle(input));
                }
                break;
            case 7:
                // The sheet applied: new options, the display list made again, the
                // selection kept to it, the frame placed for the new visibility.
                perch::fuzz::RandomizeSettings(input, settings);
                tracker.RebuildDisplayList();
                parts.selection.PruneSelection();
                parts.zOrder.OnVisibilityApplied();
                break;
            case 8:
                // The frame minimized and restored, or a posted request carried out.
                if (input.Bool()) {
                    parts.zOrder.OnFrameMinimizing();
                    scene.desk.Minimize(scene.frame);
                } else if (input.Bool()) {
                    scene.desk.Restore(scene.frame);
                    parts.zOrder.OnFrameRestored();
                } else {
                    scene.desk.RunPostedMessages();
                }
                break;
            default:
                // The windows the tracker finds again by title.
                if (const std::optional<std::string> title = TitleOnTheBoard(tracker, input)) {
                    scene.ChangeDuringQueries();
                    const perch::DocumentWindowSearch search = tracker.FindDocumentWindow(*title);
                    scene.StopChanging();
                    FUZZ_REQUIRE(search.found == (search.document != perch::kNoWindow));
                    FUZZ_REQUIRE(search.found == (search.app != perch::kNoWindow));
                }
                break;
        }
        perch::fuzz::CheckBoardLists(tracker, parts.selection, parts.layout, input);
    }
    return 0;
}
