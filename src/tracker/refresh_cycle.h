#pragma once

#include <cstdint>
#include <string_view>

#include "settings/settings.h"
#include "tracker/code_page.h"
#include "tracker/tracker.h"

namespace perch {

// The board flags the refresh tick reads and writes (members of the board view).
struct BoardFlags {
    int busy = 0;            // ticks do nothing; Smart mode does not push the frame down
    int topmostApplied = 0;  // the board last placed its frame topmost
    int resizePending = 1;   // fit the frame to the board at the next paint
};

// What a tick does to the board's painting.
class BoardHost {
  public:
    virtual ~BoardHost() = default;
    // Invalidates the box showing that title; false when no box shows it.
    virtual bool InvalidateTitleBox(std::string_view title) = 0;
    // Invalidates the whole board, erasing the background.
    virtual void InvalidateAll() = 0;

  protected:
    BoardHost() = default;
    BoardHost(const BoardHost&) = default;
    BoardHost& operator=(const BoardHost&) = default;
};

// The refresh timer's id on the board view.
inline constexpr unsigned kRefreshTimerId = 1;

// The refresh timer's period in milliseconds.
inline std::int32_t RefreshIntervalMs(const Settings& settings) {
    return TimerIntervalMs(settings);
}

// Same count and pairwise equal with letter case ignored.
bool ListsEqual(const TitleList& a, const TitleList& b, const CodePage& codePage);

// Invalidates the box of every selected title, then empties the selection.
void ClearSelection(Tracker& tracker, BoardHost& host);

// Frame placement: topmost, to the bottom (which also ends topmost), or to the top of the
// ordinary windows. Never activates.
void MakeFrameTopmost(WindowSystem& windows, WindowHandle frame);
void PushFrameToBottom(WindowSystem& windows, WindowHandle frame);
void BringFrameToTop(WindowSystem& windows, WindowHandle frame);

// One refresh: follow the foreground, rescan the watched application, repaint on a
// change, follow its active document and place the frame as Visibility asks.
void RefreshTick(Tracker& tracker, BoardFlags& flags, BoardHost& host);

// The board's timer handler: a tick for the refresh timer's id while not busy. Returns
// whether a tick ran.
bool OnRefreshTimer(unsigned timerId, unsigned refreshTimerId, Tracker& tracker, BoardFlags& flags,
                    BoardHost& host);

}  // namespace perch
