#pragma once

#include <cstdint>

#include "platform/window_events.h"
#include "platform/window_system.h"
#include "tracker/tracker.h"

namespace perch {

// Decides which window events can change what the board shows, so that only those bring
// a tick forward. It judges an event against what the last tick saw (NoteTick): the
// window in front, and the watched application's process, MDI client and frame.
//
// Wanted:
// - a foreground or focus event when the window in front now is not the one the last tick
//   saw, and a focus event inside the watched application (an MDI document is activated by
//   giving it the focus; some hosts report nothing else for it);
// - a window created, destroyed, shown, hidden, reordered, minimized or restored in the
//   watched application: its MDI client, a document of it (a child of the client) or its
//   frame; a title change of the client or a document (the frame's title never shows);
// - a window destroyed or hidden that was gone before the event could be looked at: whose
//   it was cannot be told any more, so it counts while an application is watched.
// Everything else is not: events of other processes (but for the foreground moving), of
// unrelated windows of the watched application (menus, tool tips, dialogs' controls), of
// parts of a window (caret, cursor, scroll bars) or of its child elements, and every event
// while the board's frame is minimized (the first tick after the restore rescans).
class EventFilter {
  public:
    explicit EventFilter(Tracker& tracker) : tracker_(tracker) {}

    bool Wants(const WindowEvent& event);
    // A tick ran: remember what it saw.
    void NoteTick();

  private:
    bool WantsFromWatched(const WindowEvent& event);

    Tracker& tracker_;
    WindowHandle seenForeground_ = kNoWindow;
    std::uint32_t watchedProcess_ = 0;
    WindowHandle watchedClient_ = kNoWindow;
    WindowHandle watchedFrame_ = kNoWindow;
};

}  // namespace perch
