#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "board/painter.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// The room beside each column's widest text: the grid line and the text's inset.
inline constexpr int kColumnGap = 4;

// The box a point falls in: its index and the title it shows, or -1 and "".
struct HitResult {
    int index = -1;
    std::string title;
};

// The board's grid: equal boxes filled column by column, at most NumColumns columns.
// Recomputed on every paint; nothing is cached between paints. The board keeps the row
// count of its last paint in the Settings record (NumRows), so the last one is saved; a
// copy of the layout can be computed for a printout without touching either.
class BoardLayout {
  public:
    BoardLayout(const Tracker& tracker, const Settings& settings)
        : tracker_(tracker), settings_(settings) {}

    // Measures every display text once and sets the cell size, the row count and the board
    // size. An empty board (or a column limit of 0) is minTrackWidth + 6 by minTrackHeight.
    void ComputeLayout(Painter& painter, int minTrackWidth, int minTrackHeight);

    // Box i, in column i / NumRows and row i % NumRows; none before a layout with boxes.
    // The index is not limited to the number of boxes.
    std::optional<Rect> BoxRect(int index) const;
    // The box of the title (letter case ignored), or none when it is not on the board.
    std::optional<Rect> BoxRectOfTitle(std::string_view title) const;
    // The box under a point in client coordinates. With one column allowed, or a single
    // box, only the row counts.
    HitResult HitTest(Point point) const;

    int NumRows() const { return numRows_; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    // A column's width: its cell and the gap beside it.
    int ColumnWidth() const { return cellWidth_ + columnGap_; }
    int BoardWidth() const { return boardWidth_; }
    int BoardHeight() const { return boardHeight_; }

  private:
    friend struct BoardTestAccess;

    const Tracker& tracker_;
    const Settings& settings_;
    int numRows_ = 0;      // rows of the grid; 0 = no boxes laid out
    int cellWidth_ = 0;    // widest display text (plus 2 with boxes); 0 = not laid out
    int cellHeight_ = 0;   // tallest display text (plus 2 with boxes); 0 = not laid out
    int boardWidth_ = 0;   // width of the grid
    int boardHeight_ = 0;  // height of the grid
    int columnGap_ = kColumnGap;  // kColumnGap at the DPI of the last layout
};

// Box rectangles are filled and invalidated one pixel lower than they are laid out, so
// the grid lines drawn after the fills lie over their edges.
inline Rect ShiftedDown(Rect rect) {
    ++rect.top;
    ++rect.bottom;
    return rect;
}

}  // namespace perch
