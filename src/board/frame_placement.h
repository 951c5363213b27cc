#pragma once

#include "board/board_hosts.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "tracker/refresh_cycle.h"
#include "tracker/tracker.h"

namespace perch {

// Where the board's frame goes: placed from the stored position at creation, fitted
// around the grid, and (with Smart Positioning) anchored to the right or bottom edge of
// the monitor that holds it, growing toward the left or the top from there.
class FramePlacement {
  public:
    FramePlacement(WindowSystem& windows, const Tracker& tracker, Settings& settings,
                   BoardFlags& flags, FrameHost& frameHost)
        : windows_(windows),
          tracker_(tracker),
          settings_(settings),
          flags_(flags),
          frameHost_(frameHost) {}

    // Creation: the stored rectangle (80 x 100 with Auto Size), brought onto the nearest
    // monitor when it is on none, snapped, written back to XPos and YPos, and set in one
    // call that neither activates nor shows the frame, topmost unless Visibility is Normal.
    void PlaceFrameAtCreation();

    // Resizes the frame to w x h (the board's client size, or with wholeWindow the
    // frame's own size), never lower than the frame's minimum height, snapped, without
    // changing its z-order or activating it.
    void FitFrameToBoard(int w, int h, bool wholeWindow);

    // With Smart Positioning: a frame that comes within 5 pixels of its monitor's right
    // (bottom) edge sticks to it, and one that sticks stays there whatever its size.
    // The monitor is the one holding the rectangle x, y, w, h.
    void SnapToScreenEdge(int& x, int& y, int w, int h);

    // After the user moved the frame: an edge it no longer touches lets go of it.
    void OnFrameMoved();

    int snapRight = 0;   // frame anchored to its monitor's right edge
    int snapBottom = 0;  // frame anchored to its monitor's bottom edge

  private:
    void SnapToEdgesOf(const Rect& monitor, int& x, int& y, int w, int h);

    WindowSystem& windows_;
    const Tracker& tracker_;
    Settings& settings_;
    BoardFlags& flags_;
    FrameHost& frameHost_;
};

}  // namespace perch
