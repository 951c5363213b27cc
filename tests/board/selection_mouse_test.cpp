#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "board_fixture.h"
#include "res/resource.h"

namespace perch {
namespace {

using test::Action;
using test::Query;
using Titles = std::vector<std::string>;
using Actions = std::vector<Action>;

// Three titles in two columns: Ant and Bee in the first column, Cat in the second. Each
// box is 27 x 15 (21 + 2 wide plus 4, 13 + 2 high).
class SelectionMouseTest : public test::BoardFixture {
  protected:
    void SetUp() override {
        app = Watch({"Ant", "Bee", "Cat"});
        Paint();
        Reset();
    }

    bool Mouse(MouseMessage message, Point at, unsigned keys = 0) {
        return board.OnMouse(message, keys, at);
    }
    bool RightClick(Point at, unsigned keys = 0) {
        Mouse(MouseMessage::kRightDown, at, keys);
        return Mouse(MouseMessage::kRightUp, at, keys);
    }

    // The invalidated box of each box index, as InvalidateTitleBox gives it.
    static Rect Box(int index) {
        const int column = index / 2;
        const int row = index % 2;
        return {column * 27, row * 15 + 1, column * 27 + 27, row * 15 + 16};
    }

    static constexpr Point kAnt{5, 5};
    static constexpr Point kBee{5, 20};
    static constexpr Point kCat{30, 5};
    static constexpr Point kNowhere{30, 20};  // the empty place below Cat

    test::SimulatedDesktop::MdiApp app;
};

TEST_F(SelectionMouseTest, RightClicksBuildTheSelectionInClickOrder) {
    EXPECT_TRUE(RightClick(kBee));
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(1)}));

    viewHost.ClearInvalidations();
    EXPECT_TRUE(RightClick(kCat));  // a plain click replaces
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Cat"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(1), Box(2)}));

    viewHost.ClearInvalidations();
    EXPECT_TRUE(RightClick(kAnt, kMkControl));  // Ctrl adds at the end
    EXPECT_TRUE(RightClick(kBee, kMkControl));
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Cat", "Ant", "Bee"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(0), Box(1)}));

    viewHost.ClearInvalidations();
    EXPECT_TRUE(RightClick(kAnt, kMkControl));  // and removes, keeping the others' order
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Cat", "Bee"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(0)}));

    // SelectOnly keeps the title in place and drops the others, last first.
    BoardTestAccess::SelectionOf(board) = {"Cat", "Bee", "Ant"};
    viewHost.ClearInvalidations();
    BoardTestAccess::SelectionPartOf(board).SelectOnly("Bee");
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(0), Box(2)}));

    // Membership ignores letter case: never twice, and a toggle removes either spelling.
    BoardTestAccess::SelectionPartOf(board).SelectOnly("BEE");
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
    BoardTestAccess::SelectionPartOf(board).ToggleSelected("bee");
    EXPECT_TRUE(board.selection().SelectionList().empty());

    // Empty board space and the left button leave the selection alone; Shift is nothing.
    BoardTestAccess::SelectionOf(board) = {"Ant"};
    viewHost.ClearInvalidations();
    EXPECT_FALSE(RightClick(kNowhere));
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDown, kCat));
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Ant"}));
    EXPECT_TRUE(viewHost.invalidated.size() == 2u);  // only the focus marker moved
    EXPECT_TRUE(RightClick(kBee, 0x0004));           // MK_SHIFT selects alone like a plain click
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
}

TEST_F(SelectionMouseTest, RightDoubleClickEmptiesWhereverItLands) {
    BoardTestAccess::SelectionOf(board) = {"Ant", "Cat"};
    // Windows delivers press, release, double-click, release.
    for (const Point at : {kBee, kNowhere}) {
        Mouse(MouseMessage::kRightDown, at);
        Mouse(MouseMessage::kRightUp, at);
        EXPECT_TRUE(Mouse(MouseMessage::kRightDoubleClick, at));
        EXPECT_TRUE(board.selection().SelectionList().empty());
        EXPECT_FALSE(Mouse(MouseMessage::kRightUp, at));  // swallowed
        EXPECT_TRUE(board.selection().SelectionList().empty());
    }
    EXPECT_TRUE(RightClick(kBee));  // the next click works again
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
}

TEST_F(SelectionMouseTest, NothingHappensBeforeTheFirstLayout) {
    test::BoardFixture::Reset();
    BoardTestAccess::ForgetLayout(board);
    EXPECT_FALSE(RightClick(kAnt));
    EXPECT_FALSE(Mouse(MouseMessage::kLeftDown, kAnt));
    EXPECT_TRUE(board.selection().SelectionList().empty());
    EXPECT_TRUE(desk.Actions().empty());
}

TEST_F(SelectionMouseTest, LeftPressActivatesAndMovesTheFocusMarker) {
    BoardTestAccess::SetFocusTitle(board, "Ant");
    BoardTestAccess::SelectionOf(board) = {"Bee"};
    int busyDuringSearch = -1;
    desk.SetQueryHook([&](Query query, WindowHandle, int) {
        if (query == Query::kEnumChildWindows && busyDuringSearch < 0) {
            busyDuringSearch = board.IsBusy();
        }
    });
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDown, kCat));
    EXPECT_EQ(busyDuringSearch, 1);
    EXPECT_FALSE(board.IsBusy());
    EXPECT_EQ(board.selection().FocusTitle(), "Cat");
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(0), Box(2)}));
    const WindowHandle cat = app.documents[2];
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::BringWindowToTop(cat), Action::SetForegroundWindow(app.frame)}));

    // A minimized document is asked to restore itself, by a posted request.
    desk.Minimize(app.documents[0]);
    Reset();
    Mouse(MouseMessage::kLeftDown, kAnt);
    EXPECT_EQ(desk.Actions(), (Actions{Action::BringWindowToTop(app.documents[0]),
                                       Action::PostSysCommand(app.documents[0], kScRestore),
                                       Action::SetForegroundWindow(app.frame)}));
    EXPECT_EQ(desk.PendingPostedMessages(), 1u);

    // Without Show Focus the marker moves without a repaint; a window that has gone is
    // not looked for twice and nothing is done to it.
    BoardTestAccess::SettingsOf(board).Focus = 0;
    desk.Destroy(app.documents[1]);
    Reset();
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDown, kBee));
    EXPECT_EQ(board.selection().FocusTitle(), "Bee");
    EXPECT_TRUE(viewHost.invalidated.empty());
    EXPECT_TRUE(desk.Actions().empty());

    // A press outside the boxes does nothing and is not passed on.
    Reset();
    EXPECT_FALSE(Mouse(MouseMessage::kLeftDown, kNowhere));
    EXPECT_EQ(board.selection().FocusTitle(), "Bee");
    EXPECT_FALSE(board.IsBusy());
}

TEST_F(SelectionMouseTest, LeftPressPassesOverAHungApplication) {
    desk.SetHung(kAppProcess, true);
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDown, kCat));
    EXPECT_EQ(board.selection().FocusTitle(), "Cat");
    EXPECT_EQ(desk.FrozenCalls(), 0);
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_FALSE(board.IsBusy());

    desk.SetHung(kAppProcess, false);
    Mouse(MouseMessage::kLeftDown, kBee);
    EXPECT_EQ(desk.Actions().size(), 2u);  // it answers again: raised and brought forward
}

TEST_F(SelectionMouseTest, LeftDoubleClickBringsTheMenuBack) {
    EXPECT_FALSE(Mouse(MouseMessage::kLeftDoubleClick, kAnt));  // shown: nothing
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_TRUE(frameHost.selectedMenus.empty());

    BoardTestAccess::SettingsOf(board).Menu = 0;
    BoardTestAccess::SetFitPending(board, false);
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDoubleClick, kNowhere));
    EXPECT_EQ(board.settings().Menu, 1);
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::SetWindowPos(frame, kHwndTop, 0, 0, 90, 32 + 100,
                                            kSwpNoMove | kSwpNoActivate | kSwpShowWindow)}));
    EXPECT_EQ(frameHost.selectedMenus, (std::vector<std::pair<int, bool>>{{192, true}}));
    EXPECT_TRUE(board.placement().FitPending());
    EXPECT_EQ(viewHost.invalidatedAll, 1);

    // At 144 DPI the frame grows 150 pixels past the grid (100 at 96).
    frameHost.dpi = 144;
    BoardTestAccess::SettingsOf(board).Menu = 0;
    desk.ClearActions();
    EXPECT_TRUE(Mouse(MouseMessage::kLeftDoubleClick, kNowhere));
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::SetWindowPos(frame, kHwndTop, 0, 0, 90, 32 + 150,
                                            kSwpNoMove | kSwpNoActivate | kSwpShowWindow)}));
}

TEST_F(SelectionMouseTest, SelectAllAndItsState) {
    const auto selectAll = [this] { return board.QueryCommand(ID_SELECT_ALL).enabled; };
    EXPECT_TRUE(selectAll());
    BoardTestAccess::SelectionOf(board) = {"Cat"};
    EXPECT_TRUE(selectAll());
    EXPECT_TRUE(board.OnCommand(ID_SELECT_ALL));
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Ant", "Bee", "Cat"}));  // board order
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{Box(2)}));                 // the clear
    EXPECT_EQ(viewHost.invalidatedAll, 1);
    EXPECT_FALSE(selectAll());

    // An empty board offers nothing to select.
    desk.SetForeground(kNoWindow);
    const WindowHandle other = desk.CreateTopLevel("Notes", "Plain", 300);
    desk.SetForeground(other);
    BoardTestAccess::RefreshTick(board);
    EXPECT_TRUE(board.tracker().DisplayList().empty());
    EXPECT_FALSE(selectAll());
}

}  // namespace
}  // namespace perch

namespace perch {
namespace {

class SelectionPruneTest : public test::BoardFixture {};

// Membership ignores letter case; the pruning after the documents changed keeps only the
// titles spelt as the board now shows them.
TEST_F(SelectionPruneTest, PruningComparesExactlyMembershipIgnoresCase) {
    const auto app = Watch({"Memo.txt", "Book"});
    BoardTestAccess::SelectionOf(board) = {"MEMO.TXT", "Book", "Gone"};
    EXPECT_TRUE(board.selection().IsSelected("memo.txt"));
    EXPECT_FALSE(board.selection().IsSelected("Gone.txt"));

    desk.CreateChild(app.client, "Letter", "Document");
    BoardTestAccess::RefreshTick(board);
    EXPECT_EQ(board.tracker().DisplayList(),
              (std::vector<std::string>{"Book", "Letter", "Memo.txt"}));
    EXPECT_EQ(board.selection().SelectionList(), (std::vector<std::string>{"Book"}));
}

}  // namespace
}  // namespace perch
