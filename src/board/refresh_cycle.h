#pragma once

#include <cstdint>

#include "board/board_hosts.h"
#include "board/busy.h"
#include "board/frame_placement.h"
#include "board/frame_z_order.h"
#include "board/selection.h"
#include "platform/code_page.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// The refresh timer's id on the board view.
inline constexpr unsigned kRefreshTimerId = 1;

// The refresh timer's period in milliseconds.
inline std::int32_t RefreshIntervalMs(const Settings& settings) {
    return TimerIntervalMs(settings);
}

// Same count and pairwise equal with letter case ignored.
bool ListsEqual(const TitleList& a, const TitleList& b, const CodePage& codePage);

// The board's refresh: on each tick of the refresh timer (while not busy) it follows the
// foreground, rescans the watched application, repaints on a change, follows its active
// document and places the frame as Visibility asks.
class RefreshCycle {
  public:
    RefreshCycle(Tracker& tracker, Selection& selection, FrameZOrder& zOrder,
                 FramePlacement& placement, const BusyFlag& busy, BoardHost& host)
        : tracker_(tracker),
          selection_(selection),
          zOrder_(zOrder),
          placement_(placement),
          busy_(busy),
          host_(host) {}

    // One refresh tick.
    void RefreshTick();
    // The board's timer handler: a tick for the refresh timer's id while not busy. Returns
    // whether a tick ran.
    bool OnTimer(unsigned timerId, unsigned refreshTimerId);
    // A tick brought forward by a window event: the same tick, under the same rule (none
    // while busy). Returns whether it ran.
    bool TickUnlessBusy();

  private:
    void Watch();
    void Drop();
    void FollowFocus();

    Tracker& tracker_;
    Selection& selection_;
    FrameZOrder& zOrder_;
    FramePlacement& placement_;
    const BusyFlag& busy_;
    BoardHost& host_;
};

}  // namespace perch
