#pragma once

#include <string>
#include <string_view>

#include "board/board_hosts.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// The selection list and the focus title.
//
// The selection holds the titles of the selected boxes in the order they were added, which
// is the order the arrangement commands work in. Membership ignores letter case, so a title
// is never in the list twice; pruning after the list of documents changed keeps only the
// titles still on the board exactly as they are spelt there. Every change invalidates only
// the boxes concerned, except SelectAll, which repaints the board.
//
// The focus title is the watched application's active document, as the board last saw it
// (or a box the user clicked); with Show Focus its box is filled.
class Selection {
  public:
    Selection(const Tracker& tracker, const Settings& settings, BoardHost& host)
        : tracker_(tracker), settings_(settings), host_(host) {}

    // Invalidates the box of every selected title, then empties the selection.
    void ClearSelection();
    // Makes the title the only selected one, keeping it in place if it was selected.
    void SelectOnly(std::string_view title);
    // Adds the title when it is not selected, removes it when it is.
    void ToggleSelected(std::string_view title);
    // Every box's title, in board order.
    void SelectAll();
    // Drops the selected titles that the current list no longer holds as they are spelt.
    void PruneSelection();

    bool IsSelected(std::string_view title) const;
    bool IsEmpty() const { return selected_.empty(); }
    const TitleList& SelectionList() const { return selected_; }

    const std::string& FocusTitle() const { return focusTitle_; }
    // A new focus title: with Show Focus the old and the new box are invalidated. Nothing
    // happens when the title is the focus title already.
    void MoveFocusTo(std::string_view title);

  private:
    friend struct BoardTestAccess;

    const Tracker& tracker_;
    const Settings& settings_;
    BoardHost& host_;
    TitleList selected_;
    std::string focusTitle_;
};

}  // namespace perch
