#pragma once

#include <string_view>

#include "tracker/refresh_cycle.h"
#include "tracker/tracker.h"

namespace perch {

// The selection list: titles of the selected boxes in the order they were added, which
// is the order the arrangement commands work in. Membership ignores letter case, so a
// title is never in the list twice. Every change invalidates only the boxes concerned,
// except SelectAll, which repaints the board.
class Selection {
  public:
    Selection(Tracker& tracker, BoardHost& host) : tracker_(tracker), host_(host) {}

    void ClearSelection();
    // Makes the title the only selected one, keeping it in place if it was selected.
    void SelectOnly(std::string_view title);
    // Adds the title when it is not selected, removes it when it is.
    void ToggleSelected(std::string_view title);
    // Every box's title, in board order.
    void SelectAll();

    bool IsSelected(std::string_view title) const;
    bool IsEmpty() const { return tracker_.SelectionList().empty(); }

  private:
    Tracker& tracker_;
    BoardHost& host_;
};

}  // namespace perch
