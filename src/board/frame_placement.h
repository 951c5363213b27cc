#pragma once

#include "board/board_hosts.h"
#include "board/frame_z_order.h"
#include "board/layout.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// The narrowest the frame can be: the menu's width while its menu bar shows, otherwise the
// board's cell width but never below 50 pixels at 96 DPI. The system widens a narrower request,
// keeping the left edge.
int MinTrackWidthFor(bool menuShown, int cellWidth, int menuMinTrackWidth,
                     int dpi = framework::kBaseDpi);

// Where the board's frame goes: placed from the stored position at creation, fitted
// around the grid after a paint when a fit is due, and (with Smart Positioning) anchored
// to the right or bottom edge of the monitor that holds it, growing toward the left or the
// top from there.
class FramePlacement {
  public:
    FramePlacement(WindowSystem& windows, const Tracker& tracker, Settings& settings,
                   const BoardLayout& layout, FrameZOrder& zOrder, FrameHost& frameHost)
        : windows_(windows),
          tracker_(tracker),
          settings_(settings),
          layout_(layout),
          zOrder_(zOrder),
          frameHost_(frameHost) {}

    // Creation: the stored rectangle (80 x 100 with Auto Size) placed on the monitor that
    // holds it (PlaceOnMonitor), written back to XPos and YPos, and set in one call that
    // neither activates nor shows the frame, topmost unless Visibility is Normal.
    void PlaceFrameAtCreation();

    // The step after a paint: fits the frame to the grid when a fit is due; the first
    // paint without one goes back to the stored size unless Auto Size is on.
    void FitAfterPaint();
    // The next paint fits the frame to the grid.
    void RequestFit() { fitPending_ = 1; }
    bool FitPending() const { return fitPending_ != 0; }

    // Resizes the frame to w x h (the board's client size, or with wholeWindow the
    // frame's own size), never lower than the frame's minimum height nor narrower than its
    // minimum width, placed on the monitor it is on (PlaceOnMonitor), without changing its
    // z-order or activating it.
    void FitFrameToBoard(int w, int h, bool wholeWindow);

    // After the user moved the frame: an edge it no longer touches lets go of it.
    void OnFrameMoved();

    // The narrowest the frame can be made just now.
    int MinimumFrameWidth() const;

    bool SnapsRight() const { return snapRight_ != 0; }
    bool SnapsBottom() const { return snapBottom_ != 0; }

  private:
    int Scaled(int pixels96) const;  // a length at 96 DPI at the frame's DPI
    friend struct BoardTestAccess;

    // Where a frame of w x h at x, y goes on its monitor: never larger than the monitor,
    // snapped to its edges, and with its top-left corner and a piece of its caption on
    // it, or else moved wholly onto it. A frame that already meets these rules keeps its
    // place and size.
    void PlaceOnMonitor(const Rect& monitor, int& x, int& y, int& w, int& h);
    // With Smart Positioning: a frame that comes within 5 pixels of its monitor's right
    // (bottom) edge sticks to it, and one that sticks stays there whatever its size.
    void SnapToEdgesOf(const Rect& monitor, int& x, int& y, int w, int h);

    WindowSystem& windows_;
    const Tracker& tracker_;
    Settings& settings_;
    const BoardLayout& layout_;
    FrameZOrder& zOrder_;
    FrameHost& frameHost_;
    int snapRight_ = 0;   // frame anchored to its monitor's right edge
    int snapBottom_ = 0;  // frame anchored to its monitor's bottom edge
    int fitPending_ = 1;  // fit the frame to the board at the next paint
    int firstPaint_ = 1;  // no paint has restored the stored size yet
};

}  // namespace perch
