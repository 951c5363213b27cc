#pragma once

#include <optional>

#include "board/board_hosts.h"
#include "board/busy.h"
#include "board/selection.h"
#include "platform/window_system.h"
#include "tracker/tracker.h"

namespace perch {

// Which operation the maximized-window refusal is asked about.
enum class RefusedOperation { kMinimize = 1, kTile = 2 };

enum class TileDirection { kHorizontal, kVertical };

// The Windows menu's commands on the watched application's document windows. Tile,
// Minimize and Close act on the selected boxes in selection order and empty the selection
// when done; Cascade hands the whole MDI client to the system. Each document window is
// found again by its title; one that has vanished, or whose application no longer
// answers, is passed over. Requests that are sent (positioning, restore, maximize) are
// complete before the next window is handled; posted ones (minimize, close) are carried
// out by the application afterwards.
class Arrangement {
  public:
    Arrangement(Tracker& tracker, Selection& selection, BusyFlag& busy, ViewHost& view,
                const FrameHost& frame)
        : tracker_(tracker),
          windows_(tracker.Windows()),
          selection_(selection),
          busy_(busy),
          view_(view),
          frame_(frame) {}

    void TileSelected(TileDirection direction);
    void MinimizeSelected();
    void CloseSelected();
    void CascadeAll();

    // The rectangle, in the MDI client's own coordinates, the tile commands lay windows
    // out in: the first selected window's parent below its top-level window, less 2 pixels.
    std::optional<Rect> GetArrangementArea();
    // Whether some document window of the board is wider than its MDI client's client area
    // by 1 to 11 pixels and taller than it: the geometry of a maximized document.
    bool HasMaximizedDocument();
    // Restores the first zoomed document window in board order.
    void RestoreMaximizedDocument();
    // Some office applications cannot tile or minimize while a document is maximized:
    // says so in a message box and returns true for them.
    bool RefuseWhileMaximized(RefusedOperation operation);

    // The cascade is the system's job; where the system has no cascade it is not offered.
    bool CanCascade();

  private:
    Tracker& tracker_;
    WindowSystem& windows_;
    Selection& selection_;
    BusyFlag& busy_;
    ViewHost& view_;
    const FrameHost& frame_;  // its DPI: the least strip a tile makes is at 96 DPI
};

}  // namespace perch
