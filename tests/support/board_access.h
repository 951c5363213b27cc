#pragma once

#include <string>
#include <string_view>

#include "board/board.h"

namespace perch {

// What the tests reach inside a board to set up a scene the user could reach only by a
// longer way round (a selection in a given order, a setting, an edge already snapped), and
// the tick without its timer.
struct BoardTestAccess {
    static Settings& SettingsOf(Board& board) { return board.settings_; }
    static TitleList& SelectionOf(Board& board) { return board.selection_.selected_; }
    static void SetFocusTitle(Board& board, std::string_view title) {
        board.selection_.focusTitle_ = title;
    }
    // The same for the parts of a board built on their own.
    static TitleList& SelectionOf(Selection& selection) { return selection.selected_; }
    static void SetFitPending(FramePlacement& placement, bool pending) {
        placement.fitPending_ = pending ? 1 : 0;
    }
    static void SetTopmostApplied(FrameZOrder& zOrder, bool applied) {
        zOrder.topmostApplied_ = applied ? 1 : 0;
    }

    static Tracker& TrackerOf(Board& board) { return board.tracker_; }
    static TrackedApp& AppOf(Board& board) { return board.tracker_.App(); }
    static void SetFitPending(Board& board, bool pending) {
        board.placement_.fitPending_ = pending ? 1 : 0;
    }
    static void SetTopmostApplied(Board& board, bool applied) {
        board.zOrder_.topmostApplied_ = applied ? 1 : 0;
    }
    static void SetSnapRight(Board& board, bool snaps) { board.placement_.snapRight_ = snaps; }
    static void SetSnapBottom(Board& board, bool snaps) { board.placement_.snapBottom_ = snaps; }
    static bool FirstPaintDue(const Board& board) { return board.placement_.firstPaint_ != 0; }
    // As before the first paint: no grid laid out.
    static void ForgetLayout(Board& board) {
        board.layout_.cellWidth_ = 0;
        board.layout_.cellHeight_ = 0;
    }
    static FramePlacement& PlacementOf(Board& board) { return board.placement_; }
    static Selection& SelectionPartOf(Board& board) { return board.selection_; }
    static Arrangement& ArrangementOf(Board& board) { return board.arrangement_; }
    static bool InvalidateTitleBox(Board& board, std::string_view title) {
        return board.InvalidateTitleBox(title);
    }
    static BusyFlag& BusyFlagOf(Board& board) { return board.busy_; }
    static void RefreshTick(Board& board) { board.refresh_.RefreshTick(); }
    static unsigned TimerIdOf(const Board& board) { return board.timerId_; }
    static void SetTimerId(Board& board, unsigned id) { board.timerId_ = id; }
};

}  // namespace perch
