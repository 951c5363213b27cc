#include "tracker/refresh_cycle.h"

#include <cstddef>
#include <string>
#include <utility>

#include "tracker/title_text.h"

namespace perch {
namespace {

constexpr unsigned kPlacementFlags = kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpShowWindow;

// Whether the foreground is the frame or one of its descendants or owned windows.
bool ForegroundIsOurs(WindowSystem& windows, WindowHandle frame) {
    WindowHandle window = windows.GetForegroundWindow();
    for (int step = 0; window != kNoWindow && step < kMaxParentSteps; ++step) {
        if (window == frame) {
            return true;
        }
        window = windows.GetParent(window);
    }
    return false;
}

void FollowFocus(Tracker& tracker, BoardHost& host) {
    WindowSystem& windows = tracker.Windows();
    std::string title = windows.GetWindowText(tracker.GetActiveDocument(), kTitleBufferSize);
    if (title.empty() || title == tracker.FocusTitle()) {
        return;
    }
    if (tracker.CurrentSettings().Focus != 0) {
        host.InvalidateTitleBox(tracker.FocusTitle());
        host.InvalidateTitleBox(title);
    }
    tracker.SetFocusTitle(std::move(title));
}

void Watch(Tracker& tracker, BoardFlags& flags, BoardHost& host, WindowHandle frame) {
    const Settings& settings = tracker.CurrentSettings();
    if (tracker.App().matchState == 2) {
        return;  // the watched application's dialog or pop-up: hold everything
    }
    FollowFocus(tracker, host);

    tracker.ScanDocuments();
    if (!ListsEqual(tracker.CurrentTitles(), tracker.ScratchTitles(), tracker.Code())) {
        tracker.FlipLists();
        if (settings.Resize != 0 && !tracker.CurrentTitles().empty()) {
            flags.resizePending = 1;
        }
        tracker.RebuildDisplayList();
        host.InvalidateAll();
    }

    const std::size_t count = tracker.DisplayList().size();
    WindowSystem& windows = tracker.Windows();
    const bool wantTopmost = settings.Visibility == kVisibilityAlwaysOnTop ||
                             (settings.Visibility == kVisibilitySmart && count > 1);
    if (wantTopmost) {
        if (flags.topmostApplied == 0) {
            MakeFrameTopmost(windows, frame);
            flags.topmostApplied = 1;
        }
    } else if (settings.Visibility == kVisibilitySmart && flags.topmostApplied != 0) {
        PushFrameToBottom(windows, frame);
        flags.topmostApplied = 0;
    }
}

void Drop(Tracker& tracker, BoardFlags& flags, BoardHost& host, WindowHandle frame) {
    const Settings& settings = tracker.CurrentSettings();
    WindowSystem& windows = tracker.Windows();
    if (settings.Visibility != kVisibilityAlwaysOnTop) {
        const bool ours = ForegroundIsOurs(windows, frame);
        if (settings.Visibility == kVisibilitySmart) {
            if (ours) {
                if (flags.topmostApplied == 0) {
                    MakeFrameTopmost(windows, frame);
                    flags.topmostApplied = 1;
                }
            } else if (flags.busy == 0) {
                ClearSelection(tracker, host);
                PushFrameToBottom(windows, frame);
                flags.topmostApplied = 0;
            }
        }
    }

    const WindowHandle foreground = windows.GetForegroundWindow();
    if (foreground == tracker.View() || foreground == frame) {
        return;  // the user turned to the board itself: keep what it shows
    }
    // Perch's own message box or dialog in front (owned by the frame) is the board at
    // work, not another application: a refusal's message must not lose the selection the
    // user is about to act on again.
    if (ForegroundIsOurs(windows, frame)) {
        return;
    }
    ClearSelection(tracker, host);
    tracker.ClearTitleLists();
    tracker.RebuildDisplayList();
    host.InvalidateAll();
}

}  // namespace

bool ListsEqual(const TitleList& a, const TitleList& b, const CodePage& codePage) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!TitlesEqual(a[i], b[i], codePage)) {
            return false;
        }
    }
    return true;
}

void ClearSelection(Tracker& tracker, BoardHost& host) {
    for (const std::string& title : tracker.SelectionList()) {
        host.InvalidateTitleBox(title);
    }
    tracker.SelectionList().clear();
}

void MakeFrameTopmost(WindowSystem& windows, WindowHandle frame) {
    windows.SetWindowPos(frame, kHwndTopmost, 0, 0, 0, 0, kPlacementFlags);
}

void PushFrameToBottom(WindowSystem& windows, WindowHandle frame) {
    windows.SetWindowPos(frame, kHwndBottom, 0, 0, 0, 0, kPlacementFlags);
}

void BringFrameToTop(WindowSystem& windows, WindowHandle frame) {
    windows.SetWindowPos(frame, kHwndTop, 0, 0, 0, 0, kPlacementFlags);
}

void RefreshTick(Tracker& tracker, BoardFlags& flags, BoardHost& host) {
    WindowSystem& windows = tracker.Windows();
    // The frame the tracker knows as the board's own, so that the foreground check and
    // the placements here always mean the same window.
    const WindowHandle frame = tracker.Frame();
    if (frame == kNoWindow || windows.IsIconic(frame)) {
        return;  // a minimized board stops refreshing until it is restored
    }
    if (tracker.CheckForeground()) {
        Watch(tracker, flags, host, frame);
    } else {
        Drop(tracker, flags, host, frame);
    }
}

bool OnRefreshTimer(unsigned timerId, unsigned refreshTimerId, Tracker& tracker, BoardFlags& flags,
                    BoardHost& host) {
    if (timerId != refreshTimerId || flags.busy != 0) {
        return false;
    }
    RefreshTick(tracker, flags, host);
    return true;
}

}  // namespace perch
