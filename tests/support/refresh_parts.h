#pragma once

#include "board/busy.h"
#include "board/frame_placement.h"
#include "board/frame_z_order.h"
#include "board/layout.h"
#include "board/refresh_cycle.h"
#include "board/selection.h"
#include "support/board_recorders.h"
#include "tracker/tracker.h"

namespace perch::test {

// The parts a refresh tick works on, put together around a tracker of the caller's as the
// board puts them together, with a frame host of a 1024-pixel-wide screen.
struct RefreshParts {
    RefreshParts(WindowSystem& windows, Tracker& tracker, Settings& settings, BoardHost& host)
        : selection(tracker, settings, host),
          layout(tracker, settings),
          zOrder(windows, tracker, settings),
          placement(windows, tracker, settings, layout, zOrder, frameHost),
          cycle(tracker, selection, zOrder, placement, busy, host) {}

    RecordingFrameHost frameHost;
    Selection selection;
    BoardLayout layout;
    FrameZOrder zOrder;
    FramePlacement placement;
    BusyFlag busy;
    RefreshCycle cycle;
};

}  // namespace perch::test
