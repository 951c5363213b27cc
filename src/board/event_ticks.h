#pragma once

#include "board/board_hosts.h"

namespace perch {

// The one-shot timer that brings a refresh tick forward after a window event, on the
// board view beside the refresh timer.
inline constexpr unsigned kEventTimerId = 2;
// How long after an event its tick runs: long enough for the burst a single change makes
// (a document opened reports its creation, showing and activation) to come in first.
inline constexpr int kEventDelayMs = 25;
// How many later events may put the tick off again: a stream of events still gets a tick
// at least every (kMaxEventRestarts + 1) * kEventDelayMs (100 ms), and a dense one (a
// thousand retitles a second) at most one every kEventDelayMs (fewer than 40 a second).
inline constexpr int kMaxEventRestarts = 3;

// Coalesces window events into ticks. The first event starts the one-shot timer; each
// event while it waits starts it again, at most kMaxEventRestarts times, after which
// events only wait for it. When it fires (Fire) it is stopped and the next event starts
// afresh. The refresh timer is never touched: it stays the safety net for whatever no
// event reports.
class EventTicks {
  public:
    explicit EventTicks(ViewHost& view) : view_(view) {}

    // An event that can change the board.
    void Schedule();
    // Whether a timer message with this id is the event timer's while it waits.
    bool IsDue(unsigned timerId) const { return pending_ && timerId == timerId_; }
    // The timer fired: it stops, and the tick it was waiting for is the caller's to run.
    void Fire();
    // The view is going: no tick is waiting any more.
    void Stop();

    bool Pending() const { return pending_; }
    int Restarts() const { return restarts_; }

  private:
    ViewHost& view_;
    bool pending_ = false;
    int restarts_ = 0;
    unsigned timerId_ = 0;
};

}  // namespace perch
