#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/event_ticks.h"
#include "board_fixture.h"
#include "support/board_recorders.h"

namespace perch::test {
namespace {

using Timers = std::vector<std::pair<unsigned, int>>;

TEST(EventTicksTest, BurstStartsOneTimerRestartedABoundedNumberOfTimes) {
    RecordingViewHost view;
    EventTicks ticks(view);
    EXPECT_FALSE(ticks.IsDue(kEventTimerId));

    for (int i = 0; i < 1000; ++i) {
        ticks.Schedule();
    }
    // One timer, started again only kMaxEventRestarts times: a stream of events cannot keep
    // putting its tick off.
    EXPECT_EQ(view.timers, Timers(1 + kMaxEventRestarts, {kEventTimerId, kEventDelayMs}));
    EXPECT_TRUE(view.stoppedTimers.empty());
    EXPECT_TRUE(ticks.IsDue(kEventTimerId));
    EXPECT_FALSE(ticks.IsDue(kRefreshTimerId));

    ticks.Fire();  // one-shot: it stops, and is due no more
    EXPECT_EQ(view.stoppedTimers, std::vector<unsigned>{kEventTimerId});
    EXPECT_FALSE(ticks.IsDue(kEventTimerId));

    // The next event starts afresh, with the whole bound again.
    view.timers.clear();
    for (int i = 0; i < 3; ++i) {
        ticks.Schedule();
    }
    EXPECT_EQ(view.timers.size(), 3u);
    EXPECT_EQ(ticks.Restarts(), 2);

    ticks.Stop();
    ticks.Stop();  // stopping twice stops the timer once
    EXPECT_EQ(view.stoppedTimers.size(), 2u);
}

// A created board watching an MDI application, its refresh timer running.
class WindowEventsTest : public BoardFixture {
  protected:
    static constexpr std::uint32_t kOtherProcess = 200;

    WindowEventsTest() {
        board.OnCreate();
        app = desk.CreateMdiApp("Editor", kAppProcess, {"A.TXT", "B.TXT"});
        desk.SetForeground(app.frame);
        board.OnTimer(kRefreshTimerId);
        desk.DeliverEvents();
        if (eventTimerRunning()) {
            board.OnTimer(kEventTimerId);
        }
        viewHost.timers.clear();
        viewHost.stoppedTimers.clear();
    }

    // What the board shows.
    std::vector<std::string> Shown() const { return board.tracker().CurrentTitles(); }
    // Event-timer starts since the last look, and forgets them.
    int EventTimerStarts() {
        int starts = 0;
        for (const auto& [id, period] : viewHost.timers) {
            EXPECT_EQ(id, kEventTimerId) << "the refresh timer must not be touched by events";
            EXPECT_EQ(period, kEventDelayMs);
            ++starts;
        }
        viewHost.timers.clear();
        return starts;
    }
    bool eventTimerRunning() const {
        int started = 0;
        for (const auto& timer : viewHost.timers) {
            started += timer.first == kEventTimerId;
        }
        return started > 0;
    }

    SimulatedDesktop::MdiApp app;
};

TEST_F(WindowEventsTest, DocumentOpenedIsShownByOneTickForItsEvents) {
    ASSERT_EQ(Shown(), (std::vector<std::string>{"A.TXT", "B.TXT"}));
    desk.CreateChild(app.client, "C.TXT", "MdiChild");  // created and shown: two events
    EXPECT_EQ(Shown().size(), 2u);                       // nothing before delivery
    EXPECT_EQ(desk.DeliverEvents(), 2u);
    EXPECT_EQ(EventTimerStarts(), 2);  // the second event restarted the delay
    EXPECT_EQ(Shown().size(), 2u);     // nothing before the delay is over

    board.OnTimer(kEventTimerId);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A.TXT", "B.TXT", "C.TXT"}));
    EXPECT_EQ(viewHost.stoppedTimers, std::vector<unsigned>{kEventTimerId});
    EXPECT_TRUE(viewHost.stoppedTimers.size() == 1) << "the refresh timer keeps running";

    // A second message of the stopped timer (already queued) runs no second tick.
    const auto rebuilds = board.tracker().RebuildCount();
    desk.CreateChild(app.client, "D.TXT", "MdiChild", {}, kWsOverlappedWindow);  // hidden
    board.OnTimer(kEventTimerId);
    EXPECT_EQ(board.tracker().RebuildCount(), rebuilds);
}

TEST_F(WindowEventsTest, ThousandRetitlesMakeOneTickShowingTheLast) {
    const WindowHandle a = desk.Children(app.client)[0];
    for (int i = 1; i <= 1000; ++i) {
        desk.SetTitle(a, "A " + std::to_string(i));
    }
    EXPECT_EQ(desk.DeliverEvents(), 1000u);
    EXPECT_EQ(EventTimerStarts(), 1 + kMaxEventRestarts);
    const auto rebuilds = board.tracker().RebuildCount();
    board.OnTimer(kEventTimerId);
    EXPECT_EQ(board.tracker().RebuildCount(), rebuilds + 1);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A 1000", "B.TXT"}));
}

TEST_F(WindowEventsTest, EventsThatCannotChangeTheBoardScheduleNothing) {
    // Another application behind the watched one: its windows come and go.
    const SimulatedDesktop::MdiApp other = desk.CreateMdiApp("Other", kOtherProcess, {"X"});
    desk.SetTitle(desk.Children(other.client)[0], "Y");
    desk.Minimize(other.frame);
    desk.RaiseEvent(WindowEventKind::kFocus, desk.Children(other.client)[0], kObjectClient);
    desk.SetForeground(app.frame);  // already in front: no event
    // The watched application's own windows that are not its documents: a tool tip, a
    // control inside a document, the frame's title.
    desk.CreateTopLevel("tip", "tooltips_class32", kAppProcess, {0, 0, 10, 10}, kWsPopup | kWsVisible);
    const WindowHandle a = desk.Children(app.client)[0];
    const WindowHandle edit = desk.CreateChild(a, "text", "Edit");
    desk.SetTitle(edit, "more text");
    desk.SetTitle(app.frame, "Editor - [A.TXT]");
    // Parts of a document and its child elements.
    desk.RaiseEvent(WindowEventKind::kNameChange, a, -8 /* caret */);
    desk.RaiseEvent(WindowEventKind::kNameChange, a, kObjectWindow, 3);
    // Perch's own windows.
    desk.SetTitle(frame, "Perch (1)");
    EXPECT_GT(desk.DeliverEvents(), 10u);
    EXPECT_EQ(EventTimerStarts(), 0);
    EXPECT_FALSE(eventTimerRunning());
}

TEST_F(WindowEventsTest, EventsOfTheWatchedDocumentsAndFrameAreWanted) {
    const WindowHandle a = desk.Children(app.client)[0];
    const WindowHandle b = desk.Children(app.client)[1];
    const auto wants = [&](auto change) {
        change();
        desk.DeliverEvents();
        const bool scheduled = EventTimerStarts() > 0;
        if (scheduled) {
            board.OnTimer(kEventTimerId);
        }
        return scheduled;
    };
    EXPECT_TRUE(wants([&] { desk.SetTitle(a, "A2.TXT"); }));
    EXPECT_TRUE(wants([&] { desk.Minimize(b); }));
    EXPECT_TRUE(wants([&] { desk.Restore(b); }));
    EXPECT_TRUE(wants([&] { desk.Hide(b); }));
    EXPECT_TRUE(wants([&] { desk.Show(b); }));
    EXPECT_TRUE(wants([&] { desk.SetTitle(app.client, "not a client any more"); }));
    EXPECT_TRUE(wants([&] { desk.SetTitle(app.client, ""); }));
    EXPECT_TRUE(wants([&] { desk.RaiseEvent(WindowEventKind::kFocus, b, kObjectClient); }));
    EXPECT_TRUE(wants([&] { desk.Minimize(app.frame); }));
    EXPECT_TRUE(wants([&] { desk.Restore(app.frame); }));
    // Gone before the event is looked at: whose it was cannot be told, so it counts.
    EXPECT_TRUE(wants([&] { desk.Destroy(a); }));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"B.TXT"}));
}

TEST_F(WindowEventsTest, AnotherApplicationInFrontEmptiesTheBoardAtOnce) {
    const WindowHandle notepad = desk.CreateTopLevel("Untitled - Notepad", "Notepad", kOtherProcess);
    desk.SetForeground(notepad);
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 1);
    board.OnTimer(kEventTimerId);
    EXPECT_TRUE(Shown().empty());

    // Focus moving inside the application already in front changes nothing more.
    const WindowHandle edit = desk.CreateChild(notepad, "", "Edit");
    desk.RaiseEvent(WindowEventKind::kFocus, edit, kObjectClient);
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 0);

    // Back to the watched application: the board fills again.
    desk.SetForeground(app.frame);
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 1);
    board.OnTimer(kEventTimerId);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A.TXT", "B.TXT"}));
}

// What the filter judges by is what the tick saw, not what is in front after it: another
// application that comes in front while the tick walks the documents is still news.
TEST_F(WindowEventsTest, ApplicationInFrontDuringTheTickIsStillNews) {
    const WindowHandle notepad =
        desk.CreateTopLevel("Untitled - Notepad", "Notepad", kOtherProcess);
    desk.ResetQueryCounts();
    desk.OnNthQuery(Query::kGetWindowStyle, 1, [&] { desk.SetForeground(notepad); });
    board.OnTimer(kRefreshTimerId);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A.TXT", "B.TXT"}));
    // The application's process was known from the ticks before: nobody asked again.
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowProcessId), 0);
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 1);
    board.OnTimer(kEventTimerId);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(WindowEventsTest, MinimizedFrameAndBusyBoardKeepTheirRules) {
    desk.Minimize(frame);
    desk.CreateChild(app.client, "C.TXT", "MdiChild");
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 0);  // a minimized board does not refresh

    desk.Restore(frame);
    board.OnFrameRestored();  // brings the tick forward by itself
    desk.DeliverEvents();
    EXPECT_GE(EventTimerStarts(), 1);
    board.OnTimer(kEventTimerId);
    EXPECT_EQ(Shown().size(), 3u);

    // While busy, the tick the event brought forward does nothing, like a timer tick.
    desk.CreateChild(app.client, "D.TXT", "MdiChild");
    desk.DeliverEvents();
    EXPECT_GE(EventTimerStarts(), 1);
    {
        BusyScope busy(BoardTestAccess::BusyFlagOf(board));
        board.OnTimer(kEventTimerId);
    }
    EXPECT_EQ(Shown().size(), 3u);
    board.OnTimer(kRefreshTimerId);  // the safety net finds it
    EXPECT_EQ(Shown().size(), 4u);
}

TEST_F(WindowEventsTest, UnderWineOnlyCreationAndFocusBringTicksForward) {
    desk.SetReportedEvents(SimulatedDesktop::WineEventKinds());
    desk.CreateChild(app.client, "C.TXT", "MdiChild");
    desk.DeliverEvents();
    EXPECT_EQ(EventTimerStarts(), 1);
    board.OnTimer(kEventTimerId);
    EXPECT_EQ(Shown().size(), 3u);

    // A retitle reports nothing there: the refresh timer shows it.
    desk.SetTitle(desk.Children(app.client)[0], "A2.TXT");
    EXPECT_EQ(desk.DeliverEvents(), 0u);
    board.OnTimer(kRefreshTimerId);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A2.TXT", "B.TXT", "C.TXT"}));
}

TEST_F(WindowEventsTest, DestroyedBoardListensNoMore) {
    board.OnDestroy();
    desk.CreateChild(app.client, "C.TXT", "MdiChild");
    EXPECT_EQ(desk.PendingEvents(), 0u);
    EXPECT_EQ(desk.DeliverEvents(), 0u);
}

}  // namespace
}  // namespace perch::test
