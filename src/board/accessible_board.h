#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/board_hosts.h"
#include "board/keyboard_cursor.h"
#include "board/layout.h"
#include "board/selection.h"
#include "tracker/tracker.h"

namespace perch {

// What the board tells a screen reader about one box (a list item of the board's list).
struct AccessibleBox {
    std::string name;         // the box's text
    std::string description;  // the document's whole window title
    Rect location;            // the box in the view's client coordinates; empty before a layout
    bool selected = false;
    bool cursor = false;      // the keyboard cursor is on it
};

// The board as a screen reader sees it: a list with one item per box. The Win32 view
// only translates this into its accessible object, and asks for the events after every
// message that may have changed the board (Sync), so none is missed however the change
// came about.
class AccessibleBoard {
  public:
    AccessibleBoard(const Tracker& tracker, const BoardLayout& layout, const Selection& selection,
                    const KeyboardCursor& cursor)
        : tracker_(tracker), layout_(layout), selection_(selection), cursor_(cursor) {}

    int BoxCount() const;
    // Box i as it shows now; none for an index that no longer exists.
    std::optional<AccessibleBox> Box(int index) const;

    // Raises, through the view, the events for what changed since the last Sync: the list
    // rebuilt (reorder, and a name change for each box whose text changed in place), the
    // selection (one box added, one removed, one box alone, or several changes at once),
    // and the keyboard cursor moving (focus). Costs nothing when nothing changed but a pass
    // over the selection.
    void Sync(ViewHost& view);

  private:
    // The selected boxes by index, in board order.
    std::vector<int> SelectedIndices() const;

    const Tracker& tracker_;
    const BoardLayout& layout_;
    const Selection& selection_;
    const KeyboardCursor& cursor_;
    std::uint64_t toldRebuild_ = 0;
    std::vector<std::string> toldTexts_;
    std::vector<int> toldSelected_;
    int toldCursor_ = -1;
    bool toldCursorShown_ = false;
};

}  // namespace perch
