#include "board/refresh_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/board_access.h"
#include "support/refresh_parts.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"
#include "tracker/tracker.h"

namespace perch {
namespace {

using test::Action;
using test::Query;
using test::SimulatedDesktop;
using Titles = std::vector<std::string>;
using Actions = std::vector<Action>;

constexpr std::uint32_t kBoardProcess = 7;
constexpr std::uint32_t kAppProcess = 100;
constexpr std::uint32_t kOtherProcess = 200;
constexpr unsigned kPlacement = kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpShowWindow;

// Records what a tick asks of the board.
class RecordingHost final : public BoardHost {
  public:
    bool InvalidateTitleBox(std::string_view title) override {
        boxes.emplace_back(title);
        return true;
    }
    void InvalidateAll() override { ++all; }
    void Clear() {
        boxes.clear();
        all = 0;
    }

    Titles boxes;
    int all = 0;
};

class RefreshTickTest : public ::testing::Test {
  protected:
    RefreshTickTest() {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", kBoardProcess, {700, 0, 900, 200});
        view = desk.CreateChild(frame, "", "PerchView");
        tracker.SetBoardWindows(view, frame);
    }

    void Tick() { cycle.RefreshTick(); }

    // Forgets what earlier ticks did.
    void Reset() {
        desk.ClearActions();
        desk.ResetQueryCounts();
        host.Clear();
    }

    Action Topmost() const {
        return Action::SetWindowPos(frame, kHwndTopmost, 0, 0, 0, 0, kPlacement);
    }
    Action Bottom() const {
        return Action::SetWindowPos(frame, kHwndBottom, 0, 0, 0, 0, kPlacement);
    }

    SimulatedDesktop desk;
    Settings settings;
    WindowHandle frame = kNoWindow;
    WindowHandle view = kNoWindow;
    Tracker tracker{desk, settings, Utf8Text()};
    RecordingHost host;
    test::RefreshParts parts{desk, tracker, settings, host};
    Selection& selection = parts.selection;
    FrameZOrder& zOrder = parts.zOrder;
    FramePlacement& placement = parts.placement;
    BusyFlag& busy = parts.busy;
    RefreshCycle& cycle = parts.cycle;
};

TEST(RefreshIntervalTest, UpdateInMilliseconds) {
    Settings settings;
    EXPECT_EQ(RefreshIntervalMs(settings), 1500);
    settings.Update = 0.5f;
    EXPECT_EQ(RefreshIntervalMs(settings), 500);
    settings.Update = 14 * 0.1f;
    EXPECT_EQ(RefreshIntervalMs(settings), 1400);
    settings.Update = 0.0f;
    EXPECT_EQ(RefreshIntervalMs(settings), 500);
    settings.Update = 60.0f;
    EXPECT_EQ(RefreshIntervalMs(settings), 5000);
}

TEST(ListsEqualTest, CountAndCaseInsensitivePairs) {
    const CodePage& cp = Utf8Text();
    EXPECT_TRUE(ListsEqual({}, {}, cp));
    EXPECT_TRUE(ListsEqual({"Memo", "a.TXT"}, {"MEMO", "A.txt"}, cp));
    EXPECT_FALSE(ListsEqual({"a", "b"}, {"b", "a"}, cp));
    EXPECT_FALSE(ListsEqual({"a"}, {"a", "a"}, cp));
    EXPECT_FALSE(ListsEqual({"a "}, {"a"}, cp));
}

TEST_F(RefreshTickTest, NewDocumentsRebuildAndInvalidate) {
    EXPECT_TRUE(placement.FitPending());
    const auto app = desk.CreateMdiApp("Editor - A", kAppProcess, {"B.txt", "A.txt"});
    desk.SetForeground(app.frame);
    BoardTestAccess::SetFitPending(placement, false);
    Tick();
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"A.txt", "B.txt"}));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A.txt", "B.txt"}));
    EXPECT_EQ(host.all, 1);
    EXPECT_TRUE(placement.FitPending());
    EXPECT_EQ(selection.FocusTitle(), "B.txt");

    // With Auto Size off the frame is not fitted, but the board still repaints.
    settings.Resize = 0;
    BoardTestAccess::SetFitPending(placement, false);
    desk.CreateChild(app.client, "C.txt", "Document");
    host.Clear();
    Tick();
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"A.txt", "B.txt", "C.txt"}));
    EXPECT_EQ(host.all, 1);
    EXPECT_FALSE(placement.FitPending());
}

TEST_F(RefreshTickTest, UnchangedListCausesNoWork) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A.txt", "B.txt", "C.txt"});
    desk.SetForeground(app.frame);
    settings.Visibility = kVisibilityNormal;
    Tick();
    const auto rebuilds = tracker.RebuildCount();
    Reset();
    for (int i = 0; i < 100; ++i) {
        Tick();
    }
    EXPECT_EQ(tracker.RebuildCount(), rebuilds);
    EXPECT_EQ(host.all, 0);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(desk.Actions().empty());

    // A change of letter case only is no change: the board keeps the old text.
    desk.SetTitle(app.documents[1], "b.TXT");
    Tick();
    EXPECT_EQ(tracker.RebuildCount(), rebuilds);
    EXPECT_EQ(tracker.DisplayList()[1], "B.txt");
    EXPECT_EQ(host.all, 0);
}

TEST_F(RefreshTickTest, FocusChangeInvalidatesOnlyOldAndNewBox) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B", "C"});
    desk.SetForeground(app.frame);
    Tick();
    EXPECT_EQ(selection.FocusTitle(), "A");
    Reset();

    desk.Raise(app.documents[1]);
    Tick();
    EXPECT_EQ(host.boxes, (Titles{"A", "B"}));
    EXPECT_EQ(host.all, 0);
    EXPECT_EQ(selection.FocusTitle(), "B");

    // Show Focus off: the focus title still follows, nothing is invalidated.
    settings.Focus = 0;
    host.Clear();
    desk.Raise(app.documents[2]);
    Tick();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(selection.FocusTitle(), "C");

    // Exact comparison: a change of case is a new focus title, unlike the list.
    settings.Focus = 1;
    desk.SetTitle(app.documents[2], "c");
    Tick();
    EXPECT_EQ(host.boxes, (Titles{"C", "c"}));
    EXPECT_EQ(host.all, 0);
}

TEST_F(RefreshTickTest, SmartModeFollowsTheDocumentCount) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A"});
    desk.SetForeground(app.frame);
    Reset();
    Tick();  // one document: nothing was topmost, nothing to push
    EXPECT_TRUE(desk.Actions().empty());

    const WindowHandle second = desk.CreateChild(app.client, "B", "Document");
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Topmost()}));
    EXPECT_TRUE(zOrder.TopmostApplied());
    EXPECT_TRUE(desk.IsTopmost(frame));
    Tick();  // already topmost: not asked again
    EXPECT_EQ(desk.Actions().size(), 1u);

    desk.Destroy(second);
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Topmost(), Bottom()}));
    EXPECT_FALSE(zOrder.TopmostApplied());
    EXPECT_FALSE(desk.IsTopmost(frame));
    Tick();
    EXPECT_EQ(desk.Actions().size(), 2u);
}

TEST_F(RefreshTickTest, SmartModeSwitchToPlainAppClearsAndEmpties) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    Tick();
    BoardTestAccess::SelectionOf(selection) = {"B"};
    Reset();

    desk.SetForeground(desk.CreateTopLevel("Calculator", "Calc", kOtherProcess));
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Bottom()}));
    EXPECT_FALSE(zOrder.TopmostApplied());
    EXPECT_EQ(host.boxes, (Titles{"B"}));
    EXPECT_TRUE(selection.SelectionList().empty());
    EXPECT_TRUE(tracker.CurrentTitles().empty());
    EXPECT_TRUE(tracker.ScratchTitles().empty());
    EXPECT_TRUE(tracker.DisplayList().empty());
    EXPECT_EQ(host.all, 1);

    // Busy (a modal loop): the frame is not pushed down, but the board still empties.
    desk.CreateChild(app.client, "C", "Document");
    desk.SetForeground(app.frame);
    Tick();
    desk.SetForeground(desk.CreateTopLevel("Clock", "Clock", kOtherProcess + 1));
    Reset();
    {
        const BusyScope busyNow(busy);
        Tick();
    }
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_TRUE(zOrder.TopmostApplied());
    EXPECT_TRUE(tracker.DisplayList().empty());
}

TEST_F(RefreshTickTest, AlwaysOnTopStaysTopmostWhileTheBoardEmpties) {
    settings.Visibility = kVisibilityAlwaysOnTop;
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A"});
    desk.SetForeground(app.frame);
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Topmost()}));
    desk.SetForeground(desk.CreateTopLevel("Calculator", "Calc", kOtherProcess));
    Tick();
    Tick();
    EXPECT_TRUE(tracker.DisplayList().empty());
    EXPECT_EQ(desk.Actions(), (Actions{Topmost()}));
    EXPECT_TRUE(desk.IsTopmost(frame));
}

TEST_F(RefreshTickTest, NormalModeNeverTouchesZOrder) {
    settings.Visibility = kVisibilityNormal;
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B", "C"});
    desk.SetForeground(app.frame);
    Tick();
    desk.Destroy(app.documents[0]);
    Tick();
    desk.SetForeground(frame);
    Tick();
    desk.SetForeground(desk.CreateTopLevel("Calculator", "Calc", kOtherProcess));
    Tick();
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_FALSE(zOrder.TopmostApplied());
}

TEST_F(RefreshTickTest, OwnFrameInFrontKeepsTheBoard) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A"});
    desk.SetForeground(app.frame);
    Tick();
    BoardTestAccess::SelectionOf(selection) = {"A"};
    Reset();

    desk.SetForeground(frame);
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Topmost()}));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A"}));
    EXPECT_EQ(selection.SelectionList(), (Titles{"A"}));
    EXPECT_EQ(host.all, 0);

    // The board's own message box or dialog counts as ours too: the board and the
    // selection stay, so a refusal's message does not lose what the user selected.
    BoardTestAccess::SetTopmostApplied(zOrder, false);
    desk.SetForeground(desk.CreatePopup(frame, "Perch"));
    desk.ClearActions();
    Tick();
    EXPECT_EQ(desk.Actions(), (Actions{Topmost()}));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A"}));
    EXPECT_EQ(selection.SelectionList(), (Titles{"A"}));
    EXPECT_EQ(host.all, 0);

    // Another application's window in front empties it as before.
    desk.SetForeground(desk.CreateTopLevel("Notes", "Plain", kOtherProcess));
    Tick();
    EXPECT_TRUE(tracker.DisplayList().empty());
    EXPECT_TRUE(selection.SelectionList().empty());
}

TEST_F(RefreshTickTest, DialogOfWatchedAppHoldsContentsAndFocus) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    Tick();
    Reset();
    const WindowHandle dialog = desk.CreatePopup(app.frame, "Open");
    desk.SetForeground(dialog);
    desk.Destroy(app.documents[1]);  // even a change waits until the dialog closes
    Tick();
    Tick();
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A", "B"}));
    EXPECT_EQ(selection.FocusTitle(), "A");
    EXPECT_EQ(host.all, 0);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(desk.Actions().empty());

    desk.Destroy(dialog);
    desk.SetForeground(app.frame);
    Tick();
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A"}));
}

TEST_F(RefreshTickTest, MinimizedFrameDoesNothing) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    desk.Minimize(frame);
    Reset();
    Tick();
    EXPECT_EQ(desk.QueryCount(Query::kIsIconic), 1);
    int others = 0;
    for (int q = 0; q < static_cast<int>(Query::kCount); ++q) {
        others += desk.QueryCount(static_cast<Query>(q));
    }
    EXPECT_EQ(others, 1);
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_TRUE(tracker.DisplayList().empty());
    EXPECT_EQ(host.all, 0);

    desk.Restore(frame);
    desk.SetForeground(app.frame);
    Tick();
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A", "B"}));

    // A view without a frame does nothing either.
    tracker.SetBoardWindows(kNoWindow, kNoWindow);
    Reset();
    Tick();
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_EQ(host.all, 0);
}

TEST_F(RefreshTickTest, WindowsClosingDuringTheTick) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B", "C"});
    desk.SetForeground(app.frame);
    Reset();
    // B closes while its title is read, C during the focus search.
    desk.SetQueryHook([&](Query query, WindowHandle window, int) {
        if (query == Query::kGetWindowText && window == app.documents[1]) {
            desk.Destroy(app.documents[1]);
        }
        if (query == Query::kGetClassName && window == app.client) {
            desk.Destroy(app.documents[2]);
        }
    });
    Tick();
    desk.SetQueryHook({});
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A"}));

    // The whole application closes in the middle of a tick, as the scan starts its walk
    // (the tick's only GetTopWindow: the active document is the top of that walk).
    desk.ResetQueryCounts();
    desk.OnNthQuery(Query::kGetTopWindow, 1, [&] { desk.Destroy(app.frame); });
    Tick();
    EXPECT_TRUE(tracker.DisplayList().empty());
}

TEST_F(RefreshTickTest, TimerRunsTicksOnlyForItsIdWhileNotBusy) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A"});
    desk.SetForeground(app.frame);
    EXPECT_FALSE(cycle.OnTimer(2, kRefreshTimerId));
    {
        const BusyScope busyNow(busy);
        EXPECT_FALSE(cycle.OnTimer(kRefreshTimerId, kRefreshTimerId));
    }
    EXPECT_TRUE(tracker.DisplayList().empty());
    EXPECT_TRUE(cycle.OnTimer(kRefreshTimerId, kRefreshTimerId));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"A"}));
}

}  // namespace
}  // namespace perch

namespace perch {
namespace {

// At most one walk of the application's windows per tick: CheckForeground's finds the MDI
// client (and while the same window stays in front, the client it found before serves),
// and following the active document uses it while the same window is in front.
TEST_F(RefreshTickTest, TickWalksTheApplicationOnce) {
    const SimulatedDesktop::MdiApp app =
        desk.CreateMdiApp("Editor", kAppProcess, {"A.TXT", "B.TXT", "C.TXT"});
    desk.SetForeground(app.frame);
    Tick();
    Reset();
    Tick();
    EXPECT_EQ(desk.QueryCount(Query::kEnumChildWindows), 0);
    EXPECT_EQ(selection.FocusTitle(), "A.TXT");

    // Another MDI application comes in front between the check and the focus: the focus
    // is that application's active document, found by a walk of its own.
    const SimulatedDesktop::MdiApp other =
        desk.CreateMdiApp("Other", kOtherProcess, {"X.TXT", "Y.TXT"});
    desk.SetForeground(app.frame);
    Tick();
    Reset();
    desk.OnNthQuery(Query::kIsWindowVisible, 1, [&] { desk.SetForeground(other.frame); });
    Tick();
    EXPECT_EQ(desk.QueryCount(Query::kEnumChildWindows), 1);
    EXPECT_EQ(selection.FocusTitle(), "X.TXT");
}

}  // namespace
}  // namespace perch

namespace perch {
namespace {

// The focus follows the top document the scan read; a hidden top document is not read by
// the scan, and the focus then reads it itself (GetActiveDocument's answer).
TEST_F(RefreshTickTest, FocusFromTheScansWalk) {
    const SimulatedDesktop::MdiApp app =
        desk.CreateMdiApp("Editor", kAppProcess, {"A.TXT", "B.TXT"});
    desk.SetForeground(app.frame);
    Tick();
    EXPECT_EQ(selection.FocusTitle(), "A.TXT");
    desk.Raise(app.documents[1]);
    Reset();
    Tick();
    EXPECT_EQ(selection.FocusTitle(), "B.TXT");
    // The frame's (the foreground check), the client's and the two documents': none more.
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowText), 4);

    desk.Hide(app.documents[1]);
    Tick();
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"A.TXT"}));
    EXPECT_EQ(selection.FocusTitle(), "B.TXT");  // still the client's top child
}

}  // namespace
}  // namespace perch
