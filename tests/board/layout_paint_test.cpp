#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/paint.h"
#include "board_fixture.h"

namespace perch {
namespace {

using test::Action;
using test::Drawing;
using Drawings = std::vector<Drawing>;

constexpr unsigned kFitFlags = kSwpNoZOrder | kSwpNoActivate | kSwpShowWindow;

class LayoutPaintTest : public test::BoardFixture {};

// Five boxes in at most two columns: three rows, the first column full, the second with
// two. The fixed-pitch test font makes "Bumblebee" 63 x 13; Show Boxes adds 2 to both.
TEST_F(LayoutPaintTest, FiveTitlesInTwoColumns) {
    Watch({"Cat", "Bumblebee", "Ant", "Eel", "Dog"});
    BoardTestAccess::SetFocusTitle(board, "Cat");
    BoardTestAccess::SelectionOf(board) = {"Dog", "Ant"};
    Reset();
    Paint();

    const BoardLayout& layout = board.layout();
    EXPECT_EQ(board.settings().NumRows, 3);
    EXPECT_EQ(layout.CellWidth(), 65);
    EXPECT_EQ(layout.CellHeight(), 15);
    EXPECT_EQ(layout.BoardWidth(), 138);
    EXPECT_EQ(layout.BoardHeight(), 47);
    EXPECT_EQ(layout.BoxRect(2), (Rect{0, 30, 69, 45}));
    EXPECT_EQ(layout.BoxRect(3), (Rect{69, 0, 138, 15}));
    EXPECT_EQ(layout.BoxRect(7), (Rect{138, 15, 207, 30}));  // not limited to the boxes
    EXPECT_EQ(layout.BoxRect(-1), std::nullopt);
    EXPECT_EQ(layout.BoxRectOfTitle("DOG"), layout.BoxRect(3));
    EXPECT_EQ(painter.measured,
              (std::vector<std::string>{"Ant", "Bumblebee", "Cat", "Dog", "Eel"}));

    const Settings& s = board.settings();
    const ColorRef shadow = MakeColor(127, 127, 127);
    const ColorRef light = MakeColor(255, 255, 255);
    const Drawings expected = {
        // Focus, then the selection from its last entry to its first, one pixel lower.
        Drawing::Fill({0, 31, 69, 46}, s.FocusColor),
        Drawing::Fill({0, 1, 69, 16}, s.HltColor),
        Drawing::Fill({69, 1, 138, 16}, s.HltColor),
        // Texts 2 pixels in, 2 more past the first column, 2 down (mixed case).
        Drawing::Text({2, 2}, "Ant", s.TextColor),
        Drawing::Text({2, 17}, "Bumblebee", s.TextColor),
        Drawing::Text({2, 32}, "Cat", s.TextColor),
        Drawing::Text({73, 2}, "Dog", s.TextColor),
        Drawing::Text({73, 17}, "Eel", s.TextColor),
        // A shadow and a light line under each row, to the grid's right edge.
        Drawing::Line({0, 15}, {139, 15}, shadow),
        Drawing::Line({0, 16}, {140, 16}, light),
        Drawing::Line({0, 30}, {139, 30}, shadow),
        Drawing::Line({0, 31}, {140, 31}, light),
        Drawing::Line({0, 45}, {139, 45}, shadow),
        Drawing::Line({0, 46}, {140, 46}, light),
        // And right of each column.
        Drawing::Line({69, 0}, {69, 46}, shadow),
        Drawing::Line({70, 0}, {70, 47}, light),
        Drawing::Line({138, 0}, {138, 46}, shadow),
        Drawing::Line({139, 0}, {139, 47}, light),
    };
    EXPECT_EQ(painter.drawings, expected);

    // The frame fits the grid: the client size plus what the frame adds around the view.
    EXPECT_EQ(desk.Actions(), (std::vector<Action>{Action::SetWindowPos(
                                  frame, kHwndTop, 700, 100, 138 + 8, 45 + 50, kFitFlags)}));
    EXPECT_FALSE(board.placement().FitPending());
    EXPECT_FALSE(board.zOrder().TopmostApplied());
}

TEST_F(LayoutPaintTest, OneTitleFillsItsRowAcrossTheBoard) {
    Watch({"Only"});
    Paint();
    // No vertical lines; the row's lines run to the client area's right edge.
    const Drawings lines = painter.OfKind(Drawing::Kind::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Drawing::Line({0, 15}, {192, 15}, kGridShadowColor));
    EXPECT_EQ(lines[1], Drawing::Line({0, 16}, {192, 16}, kGridLightColor));
    for (const int x : {0, 1, 40, 500}) {
        EXPECT_EQ(board.layout().HitTest({x, 5}).index, 0) << x;
    }
    EXPECT_EQ(board.layout().HitTest({500, 5}).title, "Only");
}

TEST_F(LayoutPaintTest, PlainTextsWithoutBoxesAndLowerCaseOnePixelHigher) {
    BoardTestAccess::SettingsOf(board).Boxes = 0;
    BoardTestAccess::SettingsOf(board).Capitals = kCaseLower;
    BoardTestAccess::SettingsOf(board).NumColumns = 16;
    Watch({"a", "b", "c", "d"});
    Paint();
    EXPECT_EQ(board.settings().NumRows, 1);
    EXPECT_EQ(board.layout().CellWidth(), 7);
    EXPECT_EQ(board.layout().CellHeight(), 13);
    EXPECT_EQ(board.layout().BoardWidth(), 4 * 11);
    EXPECT_EQ(board.layout().BoardHeight(), 15);
    EXPECT_TRUE(painter.OfKind(Drawing::Kind::kLine).empty());
    const Drawings texts = painter.OfKind(Drawing::Kind::kText);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].from, (Point{2, 1}));
    EXPECT_EQ(texts[3].from, (Point{35, 1}));  // no extra room without lines

    BoardTestAccess::SettingsOf(board).Capitals = kCaseUpper;
    Paint();
    EXPECT_EQ(painter.OfKind(Drawing::Kind::kText)[0].from, (Point{2, 2}));
}

TEST_F(LayoutPaintTest, HitTestEdges) {
    // Three titles in two columns: rows of 15 pixels, columns of 69 (the widest is 65).
    Watch({"Bumblebee", "Cat", "Ant"});
    Paint();
    const BoardLayout& layout = board.layout();
    ASSERT_EQ(board.settings().NumRows, 2);
    EXPECT_EQ(layout.HitTest({0, 0}).index, 0);     // the edges map to the first box
    EXPECT_EQ(layout.HitTest({69, 15}).index, 0);   // x - 1 and y - 1 are still inside it
    EXPECT_EQ(layout.HitTest({70, 16}).index, -1);  // box 3 would be past the titles
    EXPECT_EQ(layout.HitTest({70, 1}).index, 2);
    EXPECT_EQ(layout.HitTest({70, 1}).title, "Cat");  // the stored title of box 2
    EXPECT_EQ(layout.HitTest({10, 31}).index, -1);    // below the last row
    EXPECT_EQ(layout.HitTest({200, 1}).index, -1);    // past the last column
    EXPECT_EQ(layout.HitTest({10, -100}).index, -1);  // far above the board
    EXPECT_EQ(layout.HitTest({10, -100}).title, "");

    // One column allowed: only the row counts.
    BoardTestAccess::SettingsOf(board).NumColumns = 1;
    Paint();
    EXPECT_EQ(layout.HitTest({1000, 31}).index, 2);
    EXPECT_EQ(layout.HitTest({1000, 46}).index, -1);
}

TEST_F(LayoutPaintTest, EmptyFirstPaintFitsTheMinimumThenTheStoredSize) {
    BoardTestAccess::SettingsOf(board).Resize = 0;
    BoardTestAccess::SettingsOf(board).XSize = 250;
    BoardTestAccess::SettingsOf(board).YSize = 120;
    Paint();
    EXPECT_EQ(board.layout().BoardWidth(), 90 + 6);
    EXPECT_EQ(board.layout().BoardHeight(), 18);
    EXPECT_TRUE(painter.drawings.empty());
    // The client area becomes minTrackWidth + 6 by minTrackHeight.
    EXPECT_EQ(desk.Actions(), (std::vector<Action>{Action::SetWindowPos(
                                  frame, kHwndTop, 700, 100, 96 + 8, 18 + 50, kFitFlags)}));
    EXPECT_EQ(BoardTestAccess::FirstPaintDue(board), 1);

    Reset();
    Paint();  // without Auto Size the next paint restores the stored size
    EXPECT_EQ(desk.Actions(), (std::vector<Action>{Action::SetWindowPos(frame, kHwndTop, 700, 100,
                                                                        250, 120, kFitFlags)}));
    EXPECT_EQ(BoardTestAccess::FirstPaintDue(board), 0);
    Reset();
    Paint();
    EXPECT_TRUE(desk.Actions().empty());
}

// Another program printing the window (a screenshot tool, a thumbnail) gets the picture
// of a paint and changes nothing: no fit of the frame, the first paint still due, the row
// count and the layout as the last paint left them.
TEST_F(LayoutPaintTest, APrintoutOnlyDraws) {
    BoardTestAccess::SettingsOf(board).Resize = 0;
    Watch({"Cat", "Bumblebee", "Ant", "Eel", "Dog"});
    BoardTestAccess::SelectionOf(board) = {"Dog"};
    Reset();
    board.Print(painter, false);
    const Drawings printed = painter.drawings;
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_TRUE(board.placement().FitPending());
    EXPECT_TRUE(BoardTestAccess::FirstPaintDue(board));
    EXPECT_EQ(board.layout().NumRows(), 0);  // no paint has laid the board out yet
    EXPECT_NE(board.settings().NumRows, 3);

    // The same drawings as the paint that follows, which does lay out and fit.
    Paint();
    EXPECT_EQ(printed, painter.drawings);
    EXPECT_EQ(board.settings().NumRows, 3);
    EXPECT_FALSE(desk.Actions().empty());

    // Erased first only when asked.
    painter.Clear();
    board.Print(painter, true);
    ASSERT_FALSE(painter.drawings.empty());
    EXPECT_EQ(painter.drawings.front(),
              Drawing::Fill(kViewRect, board.settings().BkgndColor));
    EXPECT_EQ(painter.drawings.size(), printed.size() + 1);
}

TEST_F(LayoutPaintTest, ColumnLimitZeroShowsAnEmptyBoard) {
    BoardTestAccess::SettingsOf(board).NumColumns = 0;
    Watch({"A", "B"});
    Paint();
    EXPECT_EQ(board.settings().NumRows, 0);
    EXPECT_TRUE(painter.drawings.empty());
    EXPECT_EQ(board.layout().HitTest({1, 1}).index, -1);
    EXPECT_FALSE(BoardTestAccess::InvalidateTitleBox(board, "A"));
}

TEST_F(LayoutPaintTest, InvalidationsAndTheBackground) {
    Watch({"Ant", "Bee"});
    Paint();
    Reset();
    EXPECT_TRUE(BoardTestAccess::InvalidateTitleBox(board, "bee"));
    EXPECT_FALSE(BoardTestAccess::InvalidateTitleBox(board, "Wasp"));
    EXPECT_EQ(viewHost.invalidated, (std::vector<Rect>{{27, 1, 54, 16}}));

    BoardTestAccess::SettingsOf(board).BkgndColor = MakeColor(1, 2, 3);
    board.EraseBackground(painter);
    EXPECT_EQ(painter.drawings, (Drawings{Drawing::Fill({0, 0, 192, 150}, MakeColor(1, 2, 3))}));
}

// At 144 DPI the insets and the gap between columns are 1.5 times theirs at 96 (the texts are
// measured in the font made for that DPI); the grid's lines stay one pixel each.
TEST_F(LayoutPaintTest, InsetsAndGapsFollowTheDpi) {
    painter.dpi = 144;
    Watch({"Cat", "Bumblebee", "Ant", "Eel", "Dog"});
    Paint();
    const BoardLayout& layout = board.layout();
    EXPECT_EQ(layout.CellWidth(), 65);
    EXPECT_EQ(layout.ColumnWidth(), 65 + 6);
    EXPECT_EQ(layout.BoardWidth(), 2 * 71);
    EXPECT_EQ(layout.BoxRect(3), (Rect{71, 0, 142, 15}));
    EXPECT_EQ(layout.HitTest({72, 5}).title, "Dog");
    const Drawings texts = painter.OfKind(Drawing::Kind::kText);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].from, (Point{3, 3}));         // 2 in, 2 down at 96
    EXPECT_EQ(texts[3].from, (Point{71 + 6, 3}));    // 4 past a later column's line
    EXPECT_EQ(texts[4].from, (Point{71 + 6, 18}));
    const Drawings lines = painter.OfKind(Drawing::Kind::kLine);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], Drawing::Line({0, 15}, {143, 15}, kGridShadowColor));
    EXPECT_EQ(lines[1], Drawing::Line({0, 16}, {144, 16}, kGridLightColor));
    EXPECT_EQ(lines[6], Drawing::Line({71, 0}, {71, 46}, kGridShadowColor));
    EXPECT_EQ(lines[7], Drawing::Line({72, 0}, {72, 47}, kGridLightColor));

    // Lower case without boxes: one pixel down at 96 is two at 144 (1.5 rounded up).
    BoardTestAccess::SettingsOf(board).Boxes = 0;
    BoardTestAccess::SettingsOf(board).Capitals = kCaseLower;
    Paint();
    EXPECT_EQ(painter.OfKind(Drawing::Kind::kText)[0].from, (Point{3, 2}));
    EXPECT_EQ(painter.OfKind(Drawing::Kind::kText)[3].from, (Point{layout.ColumnWidth() + 3, 2}));
}

}  // namespace
}  // namespace perch
