#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "board/board.h"
#include "board_fixture.h"
#include "res/resource.h"

namespace perch {
namespace {

using test::Action;
using Actions = std::vector<Action>;

constexpr unsigned kFitFlags = kSwpNoZOrder | kSwpNoActivate | kSwpShowWindow;

class BoardCreationTest : public test::BoardFixture {
  protected:
    void Store(std::string_view section, std::string_view name, std::int32_t value) {
        profile.Set(section, name, value);
    }
    void StorePosition(int x, int y, int w, int h) {
        Store("Position", "X Pos", x);
        Store("Position", "Y Pos", y);
        Store("Position", "X Size", w);
        Store("Position", "Y Size", h);
    }
    // Creates the board and returns where the frame was placed.
    Action Create() {
        board.OnCreate();
        EXPECT_FALSE(desk.Actions().empty());
        return desk.Actions().empty() ? Action{} : desk.Actions().front();
    }
    Action Placed(WindowHandle insertAfter, int x, int y, int w, int h) const {
        return Action::SetWindowPos(frame, insertAfter, x, y, w, h, kSwpNoActivate);
    }
};

TEST_F(BoardCreationTest, LoadsPlacesAndStartsTheTimer) {
    Store("Options", "Visibility", kVisibilityAlwaysOnTop);
    Store("Options", "Resize", 0);
    Store("Options", "Update", 2500);
    Store("Options", "Menu", 0);
    Store("Colors", "Red Text", 200);
    StorePosition(300, 200, 150, 120);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 300, 200, 150, 120));
    EXPECT_EQ(desk.Actions().size(), 1u);
    EXPECT_TRUE(board.zOrder().TopmostApplied());
    EXPECT_EQ(frameHost.menuRemoved, 1);
    EXPECT_EQ(board.settings().TextColor, MakeColor(200, 0, 0));
    EXPECT_EQ(board.settings(), board.storedSettings());
    EXPECT_EQ(board.font(), kDefaultFont);  // no stored font: the default, used as it is
    EXPECT_EQ(viewHost.fonts, (std::vector<FontDescription>{kDefaultFont}));
    EXPECT_TRUE(viewHost.messages.empty());
    EXPECT_EQ(viewHost.timers, (std::vector<std::pair<unsigned, int>>{{kRefreshTimerId, 2500}}));
    EXPECT_TRUE(board.tracker().DisplayList().empty());
    EXPECT_EQ(board.tracker().RebuildCount(), 1u);

    // Ticks come from the refresh timer alone, and not while the board is busy.
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    board.OnTimer(kRefreshTimerId + 1);
    {
        const BusyScope busy(BoardTestAccess::BusyFlagOf(board));
        board.OnTimer(kRefreshTimerId);
    }
    EXPECT_TRUE(board.tracker().DisplayList().empty());
    board.OnTimer(kRefreshTimerId);
    EXPECT_EQ(board.tracker().DisplayList().size(), 2u);
}

TEST_F(BoardCreationTest, AutoSizeStartsSmallAndNormalStaysOutOfTheTopmostBand) {
    Store("Options", "Visibility", kVisibilityNormal);
    Store("Options", "SmartPos", 0);
    StorePosition(10, 20, 500, 500);
    EXPECT_EQ(Create(), Placed(kHwndTop, 10, 20, 80, 100));
    EXPECT_FALSE(board.zOrder().TopmostApplied());
    EXPECT_EQ(frameHost.menuRemoved, 0);
}

TEST_F(BoardCreationTest, AnUnusableFontFallsBackWithAMessage) {
    Store("Font", "Height", 0);
    viewHost.logPixelsY = 120;
    Create();
    FontDescription fallback{};
    fallback.height = -18;  // 11 points at 120 dots per inch, truncated toward zero
    fallback.weight = 400;
    std::strcpy(fallback.faceName, "MS Sans Serif");
    EXPECT_EQ(viewHost.fonts, (std::vector<FontDescription>{fallback}));
    EXPECT_EQ(viewHost.messages, (std::vector<unsigned>{IDS_FONT_ERROR}));
    EXPECT_EQ(board.font().height, 0);  // the setting stays as it was stored

    // The message comes even when the fallback font cannot be made either.
    viewHost.fontCreates = false;
    viewHost.messages.clear();
    board.OnCreate();
    EXPECT_EQ(viewHost.messages, (std::vector<unsigned>{IDS_FONT_ERROR}));
}

TEST_F(BoardCreationTest, SnapsToTheEdgeAndStaysThereWhileTheBoardGrows) {
    // Auto Size: 80 wide, its right edge 3 pixels from the screen's.
    StorePosition(1024 - 80 - 3, 200, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 944, 200, 80, 100));
    EXPECT_EQ(board.settings().XPos, 944);
    EXPECT_TRUE(board.placement().SnapsRight());
    EXPECT_FALSE(board.placement().SnapsBottom());

    // Without its menu bar the frame may be as narrow as 50 pixels.
    FramePlacement& placement = BoardTestAccess::PlacementOf(board);
    Settings& settings = BoardTestAccess::SettingsOf(board);
    settings.Menu = 0;
    desk.SetRect(frame, {944, 200, 1024, 300});
    Reset();
    placement.FitFrameToBoard(300, 100, true);  // grows toward the left
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::SetWindowPos(frame, kHwndTop, 724, 200, 300, 100, kFitFlags)}));
    placement.FitFrameToBoard(50, 10, true);  // and shrinks toward the right
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 974, 200, 50, 18, kFitFlags));

    // Dragged 20 pixels away from the edge, it lets go and keeps its left edge.
    desk.SetRect(frame, {904, 200, 1004, 300});
    board.OnFrameMoved();
    EXPECT_FALSE(board.placement().SnapsRight());
    placement.FitFrameToBoard(60, 100, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 904, 200, 60, 100, kFitFlags));

    // A board narrower than the frame can be (with its menu bar, 90 pixels): the frame's
    // minimum width is what snaps, or the system would widen it past the edge.
    settings.Menu = 1;
    desk.SetRect(frame, {904, 200, 1004, 300});
    BoardTestAccess::SetSnapRight(board, true);
    placement.FitFrameToBoard(34, 100, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 934, 200, 90, 100, kFitFlags));
    settings.Menu = 0;
    BoardTestAccess::SetSnapRight(board, false);

    // Near the bottom it sticks there too; without Smart Positioning nothing sticks.
    desk.SetRect(frame, {100, 660, 200, 765});
    placement.FitFrameToBoard(100, 105, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 100, 663, 100, 105, kFitFlags));
    EXPECT_TRUE(board.placement().SnapsBottom());
    BoardTestAccess::SettingsOf(board).SmartPos = 0;
    BoardTestAccess::SetSnapBottom(board, false);
    desk.SetRect(frame, {100, 660, 200, 765});
    placement.FitFrameToBoard(100, 105, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 100, 660, 100, 105, kFitFlags));
}

TEST_F(BoardCreationTest, AFrameOnASecondMonitorStaysThere) {
    desk.SetMonitors({{0, 0, 1024, 768}, {1024, -100, 2304, 924}});
    StorePosition(1500, 300, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 1500, 300, 80, 100));
    EXPECT_FALSE(board.placement().SnapsRight());

    desk.SetRect(frame, {1500, 300, 1580, 400});
    Reset();
    BoardTestAccess::PlacementOf(board).FitFrameToBoard(200, 150, true);
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::SetWindowPos(frame, kHwndTop, 1500, 300, 200, 150, kFitFlags)}));
    EXPECT_FALSE(board.placement().SnapsRight());

    // Its own monitor's edges are where it sticks, and where moving it lets go.
    desk.SetRect(frame, {2100, 850, 2300, 920});
    BoardTestAccess::PlacementOf(board).FitFrameToBoard(200, 70, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 2104, 854, 200, 70, kFitFlags));
    EXPECT_TRUE(board.placement().SnapsRight());
    EXPECT_TRUE(board.placement().SnapsBottom());
    desk.SetRect(frame, {2104, 854, 2304, 924});
    board.OnFrameMoved();
    EXPECT_TRUE(board.placement().SnapsRight());
    EXPECT_TRUE(board.placement().SnapsBottom());
    desk.SetRect(frame, {1900, 854, 2100, 924});
    board.OnFrameMoved();
    EXPECT_FALSE(board.placement().SnapsRight());
    EXPECT_TRUE(board.placement().SnapsBottom());

    // Anchored to the primary monitor's right edge, it grows away from the second one
    // instead of jumping over to it.
    BoardTestAccess::SetSnapBottom(board, false);
    desk.SetRect(frame, {944, 300, 1024, 400});
    board.OnFrameMoved();
    BoardTestAccess::SetSnapRight(board, true);
    BoardTestAccess::PlacementOf(board).FitFrameToBoard(300, 100, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 724, 300, 300, 100, kFitFlags));
}

TEST_F(BoardCreationTest, APositionOnNoMonitorIsBroughtBack) {
    // Saved on a monitor that is gone since: onto the nearest one, at its edge.
    Store("Options", "SmartPos", 0);
    StorePosition(1500, 300, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 1024 - 80, 300, 80, 100));
    EXPECT_EQ(board.settings().XPos, 944);

    // A corrupt position far off to the top left.
    desk.ClearActions();
    StorePosition(-32000, -32000, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 0, 0, 80, 100));

    // One pixel on the screen is not enough to take hold of it: wholly onto the monitor.
    desk.ClearActions();
    StorePosition(-79, 767, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 0, 668, 80, 100));

    // Values at the ends of their range do not overflow anything.
    desk.ClearActions();
    Store("Options", "Resize", 0);
    StorePosition(2147483647, -2147483647 - 1, 2147483647, -5);
    const Action placed = Create();
    EXPECT_EQ(placed.x, 0);
    EXPECT_EQ(placed.y, 0);
}

// The frame is never larger than the monitor that holds it, and its top-left corner with
// a piece of its caption (32 x 24 pixels) is on that monitor; a place and size that already
// meet both rules are kept exactly.
class FrameOnMonitorTest : public BoardCreationTest {
  protected:
    // A board of its own on the stored values: where creation puts the frame, and where
    // the first paint puts it (the stored size again without Auto Size, else the fit).
    struct Placement {
        Action created;
        Action firstPaint;
    };
    Placement CreateAndPaint() {
        Board fresh{desk, profile, Utf8Text(), viewHost, frameHost};
        fresh.SetBoardWindows(view, frame);
        desk.ClearActions();
        fresh.OnCreate();
        Placement placement;
        placement.created = desk.Actions().empty() ? Action{} : desk.Actions().front();
        const Rect at{placement.created.x, placement.created.y,
                      placement.created.x + placement.created.cx,
                      placement.created.y + placement.created.cy};
        desk.SetRect(frame, at);
        desk.ClearActions();
        fresh.Paint(painter);  // the fit after the first layout
        fresh.Paint(painter);  // and the stored size again without Auto Size
        placement.firstPaint = desk.Actions().empty() ? Action{} : desk.Actions().back();
        return placement;
    }
    static Rect RectOf(const Action& placed) {
        return {placed.x, placed.y, placed.x + placed.cx, placed.y + placed.cy};
    }
};

TEST_F(FrameOnMonitorTest, AStoredSizeLargerThanTheMonitorGivesTheMonitorsSize) {
    const Rect primary{0, 0, 1024, 768};
    const Rect second{1024, -100, 2304, 924};
    for (const bool twoMonitors : {false, true}) {
        desk.SetMonitors(twoMonitors ? std::vector<Rect>{primary, second}
                                     : std::vector<Rect>{primary});
        const Rect m = twoMonitors ? second : primary;
        for (const int smartPos : {0, 1}) {
            for (const int size : {2147483647, 2147483000, m.Width() + 1, m.Width()}) {
                const std::string where = "monitor " + std::to_string(m.left) + " smart " +
                                          std::to_string(smartPos) + " size " +
                                          std::to_string(size);
                Store("Options", "Resize", 0);
                Store("Options", "SmartPos", smartPos);
                StorePosition(m.left + 100, m.top + 50, size, size);
                const Placement placed = CreateAndPaint();
                // As wide and as high as the monitor; against its edges when snapping,
                // else at the stored place, which has its corner on the monitor.
                const Rect expected =
                    smartPos != 0 ? m
                                  : Rect{m.left + 100, m.top + 50, m.left + 100 + m.Width(),
                                         m.top + 50 + m.Height()};
                EXPECT_EQ(RectOf(placed.created), expected) << where;
                EXPECT_EQ(RectOf(placed.firstPaint), expected) << where;
            }
        }
    }
}

TEST_F(FrameOnMonitorTest, AStoredSizeThatFitsIsKeptAndAutoSizeIgnoresIt) {
    Store("Options", "SmartPos", 0);
    Store("Options", "Resize", 0);
    StorePosition(100, 50, 300, 200);
    Placement placed = CreateAndPaint();
    EXPECT_EQ(RectOf(placed.created), (Rect{100, 50, 400, 250}));
    EXPECT_EQ(RectOf(placed.firstPaint), (Rect{100, 50, 400, 250}));

    // With Auto Size the frame starts small whatever was stored, and fits the board.
    Store("Options", "Resize", 1);
    StorePosition(100, 50, 2147483647, 2147483647);
    placed = CreateAndPaint();
    EXPECT_EQ(RectOf(placed.created), (Rect{100, 50, 180, 150}));
    EXPECT_LE(placed.firstPaint.cx, 1024);
    EXPECT_LE(placed.firstPaint.cy, 768);
}

TEST_F(FrameOnMonitorTest, SixteenColumnsOfLongTitlesAtTheRightEdge) {
    Store("Options", "NumColumns", 16);
    StorePosition(1024 - 80, 100, 10, 10);  // Auto Size and Smart Positioning: the defaults
    board.OnCreate();
    ASSERT_TRUE(board.placement().SnapsRight());
    desk.SetRect(frame, {1024 - 80, 100, 1024, 200});
    std::vector<std::string> titles;
    for (int i = 0; i < 32; ++i) {
        titles.push_back("A rather long title of a document, number " + std::to_string(i));
    }
    Store("Options", "NumChars", 0);
    Watch(titles);
    Reset();
    Paint();
    ASSERT_GT(board.layout().BoardWidth(), 1024);
    // As wide as the monitor, its left edge on the monitor's, still against the right edge.
    ASSERT_FALSE(desk.Actions().empty());
    const Action fitted = desk.Actions().back();
    EXPECT_EQ(fitted.x, 0);
    EXPECT_EQ(fitted.cx, 1024);
    EXPECT_TRUE(board.placement().SnapsRight());
}

TEST_F(FrameOnMonitorTest, TheCaptionCanAlwaysBeTakenHoldOf) {
    Store("Options", "SmartPos", 0);
    Store("Options", "Resize", 0);
    // The caption above the top edge: down onto the monitor.
    StorePosition(300, -10, 200, 150);
    EXPECT_EQ(RectOf(CreateAndPaint().created), (Rect{300, 0, 500, 150}));
    // Its corner and 32 x 24 pixels of caption on the monitor: kept exactly.
    StorePosition(1024 - 32, 768 - 24, 200, 150);
    EXPECT_EQ(RectOf(CreateAndPaint().created), (Rect{992, 744, 1192, 894}));
    // A pixel less of it: wholly onto the monitor.
    StorePosition(1024 - 31, 768 - 24, 200, 150);
    EXPECT_EQ(RectOf(CreateAndPaint().created), (Rect{824, 618, 1024, 768}));
    StorePosition(-1, 300, 200, 150);
    EXPECT_EQ(RectOf(CreateAndPaint().created), (Rect{0, 300, 200, 450}));

    // A frame the user dragged off the left edge comes back at the next fit.
    board.OnCreate();
    desk.SetRect(frame, {-150, 300, 50, 450});
    Reset();
    BoardTestAccess::PlacementOf(board).FitFrameToBoard(200, 150, true);
    EXPECT_EQ(desk.Actions().back(),
              Action::SetWindowPos(frame, kHwndTop, 0, 300, 200, 150, kFitFlags));
}

TEST_F(BoardCreationTest, CommandStateComesFromOnePlace) {
    using framework::CommandStatus;
    Create();
    EXPECT_EQ(board.QueryCommand(ID_SAVE_ON_EXIT), (CommandStatus{true, true, true}));
    EXPECT_TRUE(board.OnCommand(ID_SAVE_ON_EXIT));
    EXPECT_EQ(board.settings().Save, 0);
    EXPECT_EQ(board.QueryCommand(ID_SAVE_ON_EXIT), (CommandStatus{true, true, false}));
    board.OnCommand(ID_SAVE_ON_EXIT);
    EXPECT_EQ(board.settings().Save, 1);

    // A command of the board without a rule of its own is always enabled, never checked.
    for (const unsigned always : {ID_PROPERTIES, ID_SET_FONT}) {
        EXPECT_EQ(board.QueryCommand(always), (CommandStatus{true, true, false})) << always;
    }
    // The commands on the watched application's windows wait for boxes and a selection.
    for (const unsigned command : {ID_SELECT_ALL, ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT,
                                   ID_WINDOWS_CLOSE, ID_WINDOWS_MINIMIZE, ID_WINDOWS_CASCADE}) {
        EXPECT_EQ(board.QueryCommand(command), (CommandStatus{true, false, false})) << command;
    }
    // The frame answers for its own commands: the board neither knows nor runs them.
    for (const int frames :
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_APP_ABOUT, ID_APP_EXIT, ID_HELP_INDEX,
          ID_HELP_USING, ID_CONTEXT_HELP, ID_HELP, ID_DEFAULT_HELP, 12345}) {
        EXPECT_FALSE(board.QueryCommand(static_cast<unsigned>(frames)).known) << frames;
        EXPECT_FALSE(board.OnCommand(static_cast<unsigned>(frames))) << frames;
    }
}

}  // namespace
}  // namespace perch

namespace perch {
namespace {

class BoardExitTest : public test::BoardFixture {};

TEST_F(BoardExitTest, SavesTheBarsAndTheFrameOnlyWithSaveOn) {
    board.OnCreate();
    desk.SetRect(frame, {300, 200, 460, 330});
    board.SaveSettingsOnExit();
    EXPECT_EQ(frameHost.barStateSaves, 1);
    EXPECT_EQ(profile.Get("Position", "X Pos"), test::MemoryProfile::Value{std::int32_t{300}});
    EXPECT_EQ(profile.Get("Position", "Y Size"), test::MemoryProfile::Value{std::int32_t{130}});

    // A frame closed while maximized (or minimized) keeps the place it is restored to.
    desk.Maximize(frame);
    board.SaveSettingsOnExit();
    EXPECT_EQ(profile.Get("Position", "X Pos"), test::MemoryProfile::Value{std::int32_t{300}});
    EXPECT_EQ(profile.Get("Position", "Y Size"), test::MemoryProfile::Value{std::int32_t{130}});
    desk.Restore(frame);

    // Save switched off: the bars and the position stay as they were; only "Save" is written.
    board.OnCommand(ID_SAVE_ON_EXIT);
    desk.SetRect(frame, {10, 10, 100, 100});
    profile.ClearLog();
    board.SaveSettingsOnExit();
    EXPECT_EQ(frameHost.barStateSaves, 2);
    EXPECT_EQ(profile.Get("Position", "X Pos"), test::MemoryProfile::Value{std::int32_t{300}});
    ASSERT_EQ(profile.Writes().size(), 1u);
    EXPECT_EQ(profile.Writes()[0].name, "Save");
}

TEST_F(BoardExitTest, MinimizingEmptiesTheBoard) {
    Watch({"A", "B"});
    BoardTestAccess::SelectionOf(board) = {"A"};
    Reset();
    board.OnFrameMinimizing();
    // To the bottom first, without activating it.
    EXPECT_EQ(desk.Actions(),
              (std::vector<Action>{Action::SetWindowPos(
                  frame, kHwndBottom, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoActivate)}));
    EXPECT_TRUE(board.tracker().CurrentTitles().empty());
    EXPECT_TRUE(board.tracker().DisplayList().empty());
    EXPECT_TRUE(board.selection().SelectionList().empty());
}

}  // namespace
}  // namespace perch

namespace perch {
namespace {

TEST(MinimumFrameWidthTest, TheMenusWidthOrTheWidestCellButNeverBelowFifty) {
    EXPECT_EQ(MinTrackWidthFor(true, 10, 90), 90);
    EXPECT_EQ(MinTrackWidthFor(true, 130, 90), 90);
    EXPECT_EQ(MinTrackWidthFor(false, 10, 90), 50);
    EXPECT_EQ(MinTrackWidthFor(false, 73, 90), 73);
}

// The frame's own lengths follow its DPI: at 144 the first Auto Size frame is 120 x 150 and
// 7 pixels from the edge still snaps (5 at 96 is 8 at 144), where at 96 it does not.
TEST_F(BoardCreationTest, TheFrameLengthsFollowTheDpi) {
    StorePosition(1024 - 80 - 7, 200, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 1024 - 80 - 7, 200, 80, 100));
    EXPECT_FALSE(board.placement().SnapsRight());
}

TEST_F(BoardCreationTest, TheFrameLengthsFollowTheDpiAt144) {
    frameHost.dpi = 144;
    StorePosition(1024 - 120 - 7, 200, 10, 10);
    EXPECT_EQ(Create(), Placed(kHwndTopmost, 1024 - 120, 200, 120, 150));
    EXPECT_TRUE(board.placement().SnapsRight());
    // Without its menu bar, 75 pixels is the narrowest (50 at 96).
    BoardTestAccess::SettingsOf(board).Menu = 0;
    EXPECT_EQ(board.placement().MinimumFrameWidth(), 75);
    EXPECT_EQ(MinTrackWidthFor(false, 10, 90, 144), 75);
    EXPECT_EQ(MinTrackWidthFor(false, 80, 90, 144), 80);
}

// A move to a monitor of another DPI makes the same font again (the view sizes it for the
// DPI; the description keeps its meaning) and, with Auto Size, fits the frame at the next
// paint. A damaged font falls back again without a second message.
TEST_F(BoardCreationTest, ADpiChangeMakesTheFontAgain) {
    Create();
    const std::vector<FontDescription> first = viewHost.fonts;
    ASSERT_EQ(first.size(), 1u);
    Paint();  // the first fit
    ASSERT_FALSE(board.placement().FitPending());
    viewHost.ClearInvalidations();
    board.OnDpiChanged();
    EXPECT_EQ(viewHost.fonts, (std::vector<FontDescription>{first[0], first[0]}));
    EXPECT_TRUE(board.placement().FitPending());
    EXPECT_GT(viewHost.invalidatedAll, 0);
}

TEST_F(BoardCreationTest, ADpiChangeWithADamagedFontFallsBackQuietly) {
    Store("Font", "Height", 0);
    Store("Options", "Resize", 0);
    Create();
    ASSERT_EQ(viewHost.messages.size(), 1u);
    Paint();  // the first fit
    ASSERT_FALSE(board.placement().FitPending());
    board.OnDpiChanged();
    ASSERT_EQ(viewHost.fonts.size(), 2u);
    EXPECT_EQ(viewHost.fonts[1], viewHost.fonts[0]);
    EXPECT_EQ(viewHost.messages.size(), 1u);
    EXPECT_FALSE(board.placement().FitPending());  // no Auto Size: the system's size stays
}

}  // namespace
}  // namespace perch
