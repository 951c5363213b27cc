#include "tracker/event_filter.h"

namespace perch {

void EventFilter::NoteTick() {
    // The tick watched an MDI application in front: what it saw is what its check found
    // (the window in front contains the client), and asking again would only repeat the
    // tick's own questions.
    if (const Tracker::WatchedInFront watched = tracker_.LastWatched();
        watched.client != kNoWindow) {
        seenForeground_ = watched.frame;
        watchedClient_ = watched.client;
        watchedProcess_ = watched.processId;
        watchedFrame_ = watched.frame;
        return;
    }
    WindowSystem& windows = tracker_.Windows();
    seenForeground_ = windows.GetForegroundWindow();
    watchedClient_ = tracker_.App().mdiClient;
    // The client is of the watched application only while it is alive and the tracker
    // still names it; its process is read from the window, not from the tracker's record,
    // which may already name another application the tick declined to watch.
    watchedProcess_ = windows.GetWindowProcessId(watchedClient_);
    watchedFrame_ = kNoWindow;
    if (watchedProcess_ != 0) {
        // The client's top-level window: the frame whose minimizing hides every document.
        WindowHandle window = watchedClient_;
        for (int step = 0; step < kMaxParentSteps; ++step) {
            const WindowHandle parent = windows.GetParent(window);
            if (parent == kNoWindow) {
                break;
            }
            window = parent;
        }
        watchedFrame_ = window == watchedClient_ ? kNoWindow : window;
    } else {
        watchedClient_ = kNoWindow;
    }
}

bool EventFilter::Wants(const WindowEvent& event) {
    if (event.child != kChildSelf ||
        (event.object != kObjectWindow && event.object != kObjectClient)) {
        return false;
    }
    WindowSystem& windows = tracker_.Windows();
    const WindowHandle frame = tracker_.Frame();
    if (frame == kNoWindow || windows.IsIconic(frame)) {
        return false;
    }
    switch (event.kind) {
        case WindowEventKind::kForeground:
        case WindowEventKind::kFocus:
            if (windows.GetForegroundWindow() != seenForeground_) {
                return true;
            }
            return event.kind == WindowEventKind::kFocus && watchedProcess_ != 0 &&
                   event.processId == watchedProcess_;
        default:
            return WantsFromWatched(event);
    }
}

bool EventFilter::WantsFromWatched(const WindowEvent& event) {
    if (watchedProcess_ == 0) {
        return false;
    }
    if (event.processId == 0) {
        return event.kind == WindowEventKind::kDestroy || event.kind == WindowEventKind::kHide;
    }
    if (event.processId != watchedProcess_) {
        return false;
    }
    const WindowHandle window = event.window;
    if (window == watchedClient_) {
        return true;
    }
    if (window == watchedFrame_) {
        return event.kind != WindowEventKind::kNameChange;
    }
    return tracker_.Windows().GetParent(window) == watchedClient_;
}

}  // namespace perch
