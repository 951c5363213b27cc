#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/board.h"
#include "board/keyboard_cursor.h"
#include "board_fixture.h"
#include "res/resource.h"

namespace perch {
namespace {

using test::Action;
using test::Drawing;
using Actions = std::vector<Action>;
using Titles = std::vector<std::string>;
using Events = std::vector<std::pair<AccessibleEvent, int>>;

TEST(MovedCursorIndexTest, StepsThroughColumnsAndStopsAtTheEnds) {
    using enum CursorMove;
    // One box: every key stays on it; an empty board has no cursor.
    for (const CursorMove move : {kUp, kDown, kLeft, kRight, kHome, kEnd}) {
        EXPECT_EQ(MovedCursorIndex(0, 1, 1, move), 0);
        EXPECT_EQ(MovedCursorIndex(0, 0, 0, move), -1);
    }
    // Five boxes in two columns of three rows: 0 1 2 | 3 4.
    EXPECT_EQ(MovedCursorIndex(2, 5, 3, kDown), 3);   // on into the next column
    EXPECT_EQ(MovedCursorIndex(3, 5, 3, kUp), 2);     // back into the previous one
    EXPECT_EQ(MovedCursorIndex(4, 5, 3, kDown), 4);   // the last box stays
    EXPECT_EQ(MovedCursorIndex(0, 5, 3, kUp), 0);     // the first box stays
    EXPECT_EQ(MovedCursorIndex(1, 5, 3, kRight), 4);  // same row, next column
    EXPECT_EQ(MovedCursorIndex(2, 5, 3, kRight), 4);  // that row is missing: the last box
    EXPECT_EQ(MovedCursorIndex(4, 5, 3, kRight), 4);  // no column further right
    EXPECT_EQ(MovedCursorIndex(4, 5, 3, kLeft), 1);
    EXPECT_EQ(MovedCursorIndex(1, 5, 3, kLeft), 1);  // no column further left
    EXPECT_EQ(MovedCursorIndex(3, 5, 3, kHome), 0);
    EXPECT_EQ(MovedCursorIndex(1, 5, 3, kEnd), 4);
    // Seventeen boxes in two columns of nine rows: 0..8 | 9..16.
    EXPECT_EQ(MovedCursorIndex(8, 17, 9, kRight), 16);
    EXPECT_EQ(MovedCursorIndex(16, 17, 9, kLeft), 7);
    EXPECT_EQ(MovedCursorIndex(8, 17, 9, kDown), 9);
    EXPECT_EQ(MovedCursorIndex(7, 17, 9, kRight), 16);
    // A cursor left beyond a board that shrank starts from its last box; no rows is one.
    EXPECT_EQ(MovedCursorIndex(40, 17, 9, kUp), 15);
    EXPECT_EQ(MovedCursorIndex(0, 3, 0, kDown), 1);
}

// Five documents in two columns of three rows; each box 27 x 15 (the widest text, 3 bytes
// of 7 pixels, plus 2, plus the gap of 4; 13 + 2 high). The focus rectangle lies inside the
// box's fill (one pixel lower than the box), clear of the grid lines.
class KeyboardTest : public test::BoardFixture {
  protected:
    void SetUp() override {
        app = Watch({"Ant", "Bee", "Cat", "Dog", "Eel"});
        Paint();
        Reset();
    }
    void Keys(std::initializer_list<BoardKey> keys, bool shift = false) {
        for (const BoardKey key : keys) {
            EXPECT_TRUE(board.OnKey(key, shift));
        }
    }
    // A tick of the refresh timer, as the view's timer message brings it.
    void Tick() { board.OnTimer(BoardTestAccess::TimerIdOf(board)); }
    std::vector<Drawing> FocusDrawings() {
        Paint();
        return painter.OfKind(Drawing::Kind::kFocus);
    }

    test::SimulatedDesktop::MdiApp app;
};

TEST_F(KeyboardTest, TheCursorShowsOnlyOnceAKeyIsUsedAndEnterActivatesItsDocument) {
    EXPECT_TRUE(FocusDrawings().empty());
    EXPECT_FALSE(board.cursor().Shown());

    Keys({BoardKey::kDown, BoardKey::kDown});
    EXPECT_EQ(board.cursor().Index(), 2);
    EXPECT_EQ(board.cursor().Title(), "Cat");
    EXPECT_EQ(FocusDrawings(), (std::vector<Drawing>{Drawing::Focus({2, 32, 26, 45})}));
    EXPECT_EQ(frameHost.statusTexts, (Titles{"Bee", "Cat"}));

    desk.ClearActions();
    Keys({BoardKey::kEnter});
    const WindowHandle cat = app.documents[2];
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::BringWindowToTop(cat), Action::SetForegroundWindow(app.frame)}));
    EXPECT_EQ(board.selection().FocusTitle(), "Cat");
    EXPECT_FALSE(board.IsBusy());

    // Right moves along the row into the second column, which has no third row.
    Keys({BoardKey::kRight});
    EXPECT_EQ(board.cursor().Title(), "Eel");
    EXPECT_EQ(FocusDrawings(), (std::vector<Drawing>{Drawing::Focus({29, 17, 53, 30})}));

    // The keys go on from the box a click acted on.
    board.OnMouse(MouseMessage::kRightDown, 0, {5, 20});
    board.OnMouse(MouseMessage::kRightUp, 0, {5, 20});
    EXPECT_EQ(board.cursor().Title(), "Bee");
    board.OnMouse(MouseMessage::kLeftDown, 0, {30, 5});
    Keys({BoardKey::kDown});
    EXPECT_EQ(board.cursor().Title(), "Eel");
}

TEST_F(KeyboardTest, SpaceShiftSpaceAndEscapeWorkTheSelectionAsTheRightButtonDoes) {
    Keys({BoardKey::kSpace});                    // Ant
    Keys({BoardKey::kDown, BoardKey::kDown, BoardKey::kSpace});  // Cat
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Ant", "Cat"}));
    Keys({BoardKey::kSpace});  // Cat again: out
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Ant"}));
    Keys({BoardKey::kUp});
    Keys({BoardKey::kSpace}, true);  // Shift+Space on Bee: Bee alone
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"Bee"}));
    Keys({BoardKey::kEscape});
    EXPECT_TRUE(board.selection().IsEmpty());
    EXPECT_TRUE(desk.Actions().empty());  // no key here touched the application

    // While a dialog of Perch is open the board takes no key.
    viewHost.duringDialog = [&] {
        EXPECT_FALSE(board.OnKey(BoardKey::kSpace, false));
        EXPECT_FALSE(board.OnKey(BoardKey::kEnter, false));
    };
    board.OnCommand(ID_SET_FONT);
    EXPECT_EQ(viewHost.fontDialogs, 1);
    EXPECT_TRUE(board.selection().IsEmpty());
}

TEST_F(KeyboardTest, TheCursorFollowsItsDocumentThroughAResortAndClampsWhenItGoes) {
    Keys({BoardKey::kDown});  // Bee, box 1
    desk.SetTitle(app.documents[0], "Zebra");  // Bee Cat Dog Eel Zebra
    Tick();
    Paint();
    EXPECT_EQ(board.cursor().Index(), 0);
    EXPECT_EQ(board.cursor().Title(), "Bee");

    desk.Destroy(app.documents[1]);  // Bee goes: the cursor stays in place, on Cat
    Tick();
    EXPECT_EQ(board.cursor().Title(), "Cat");
    Keys({BoardKey::kEnd});
    desk.Destroy(app.documents[4]);  // Eel, the last box, goes: the cursor is on the new last
    desk.Destroy(app.documents[0]);  // and Zebra too
    Tick();
    EXPECT_EQ(board.cursor().Title(), "Dog");
    Paint();
    EXPECT_EQ(board.ContextMenuPoint(), (Point{27, 16}));  // below Dog's box: Cat | Dog
}

TEST_F(KeyboardTest, AScreenReaderSeesOneListItemPerBoxAndHearsWhatChanges) {
    desk.SetTitle(app.documents[0], "C:\\Docs\\Ant.txt");
    Tick();
    Paint();
    viewHost.accessibleEvents.clear();

    const AccessibleBoard& accessible = board.accessible();
    ASSERT_EQ(accessible.BoxCount(), 5);
    const std::optional<AccessibleBox> first = accessible.Box(0);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->name, board.tracker().DisplayList()[0]);
    EXPECT_EQ(first->description, "C:\\Docs\\Ant.txt");
    EXPECT_NE(first->name, first->description);
    EXPECT_EQ(first->location, ShiftedDown(*board.layout().BoxRect(0)));
    EXPECT_FALSE(first->selected || first->cursor);
    EXPECT_FALSE(accessible.Box(5).has_value());
    EXPECT_FALSE(accessible.Box(-1).has_value());

    Keys({BoardKey::kDown, BoardKey::kSpace});
    Keys({BoardKey::kDown, BoardKey::kSpace});
    EXPECT_TRUE(accessible.Box(1)->selected && accessible.Box(2)->selected);
    EXPECT_TRUE(accessible.Box(2)->cursor);
    EXPECT_FALSE(accessible.Box(1)->cursor);
    Keys({BoardKey::kEscape});
    EXPECT_EQ(viewHost.accessibleEvents,
              (Events{{AccessibleEvent::kFocus, 1},
                      {AccessibleEvent::kSelection, 1},
                      {AccessibleEvent::kFocus, 2},
                      {AccessibleEvent::kSelectionAdd, 2},
                      {AccessibleEvent::kSelectionWithin, -1}}));

    // A retitle in place: the box's name changes and the list is read again.
    viewHost.accessibleEvents.clear();
    desk.SetTitle(app.documents[1], "Bat");
    Tick();
    EXPECT_EQ(viewHost.accessibleEvents,
              (Events{{AccessibleEvent::kNameChange, 1}, {AccessibleEvent::kReorder, -1}}));

    // The default action activates the box's document; a box that is gone fails cleanly.
    desk.ClearActions();
    EXPECT_TRUE(board.ActivateBox(3));
    EXPECT_EQ(board.selection().FocusTitle(), board.tracker().CurrentTitles()[3]);
    EXPECT_FALSE(desk.Actions().empty());
    EXPECT_FALSE(board.ActivateBox(5));
    EXPECT_FALSE(board.ActivateBox(-1));
}

}  // namespace
}  // namespace perch
