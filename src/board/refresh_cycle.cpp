#include "board/refresh_cycle.h"

#include <cstddef>
#include <string>

#include "tracker/title_text.h"

namespace perch {
namespace {

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

void RefreshCycle::FollowFocus() {
    const std::string title = tracker_.ActiveDocumentTitleAfterScan();
    if (!title.empty()) {
        selection_.MoveFocusTo(title);
    }
}

void RefreshCycle::Watch() {
    const Settings& settings = tracker_.CurrentSettings();
    if (tracker_.App().matchState == 2) {
        return;  // the watched application's dialog or pop-up: hold everything
    }
    // The scan first: it reads the active document's title on its way (the top of the
    // client), and only fills the scratch list, so the focus still moves among the boxes on
    // display.
    tracker_.ScanDocuments();
    FollowFocus();
    if (!ListsEqual(tracker_.CurrentTitles(), tracker_.ScratchTitles(), tracker_.Code())) {
        tracker_.FlipLists();
        if (settings.Resize != 0 && !tracker_.CurrentTitles().empty()) {
            placement_.RequestFit();
        }
        tracker_.RebuildDisplayList();
        selection_.PruneSelection();
        host_.InvalidateAll();
    }
    zOrder_.OnDocumentCount(tracker_.DisplayList().size());
}

void RefreshCycle::Drop() {
    const Settings& settings = tracker_.CurrentSettings();
    WindowSystem& windows = tracker_.Windows();
    const WindowHandle frame = tracker_.Frame();
    if (settings.Visibility != kVisibilityAlwaysOnTop) {
        const bool ours = ForegroundIsOurs(windows, frame);
        if (settings.Visibility == kVisibilitySmart) {
            if (ours) {
                zOrder_.OnBoardInFront();
            } else if (!busy_.IsBusy()) {
                selection_.ClearSelection();
                zOrder_.OnOtherInFront();
            }
        }
    }

    const WindowHandle foreground = windows.GetForegroundWindow();
    if (foreground == tracker_.View() || foreground == frame) {
        return;  // the user turned to the board itself: keep what it shows
    }
    // Perch's own message box or dialog in front (owned by the frame) is the board at
    // work, not another application: a refusal's message must not lose the selection the
    // user is about to act on again.
    if (ForegroundIsOurs(windows, frame)) {
        return;
    }
    selection_.ClearSelection();
    tracker_.ClearTitleLists();
    tracker_.RebuildDisplayList();
    host_.InvalidateAll();
}

void RefreshCycle::RefreshTick() {
    WindowSystem& windows = tracker_.Windows();
    // The frame the tracker knows as the board's own, so that the foreground check and
    // the placements here always mean the same window.
    const WindowHandle frame = tracker_.Frame();
    if (frame == kNoWindow || windows.IsIconic(frame)) {
        return;  // a minimized board stops refreshing until it is restored
    }
    if (tracker_.CheckForeground()) {
        Watch();
    } else {
        Drop();
    }
}

bool RefreshCycle::OnTimer(unsigned timerId, unsigned refreshTimerId) {
    if (timerId != refreshTimerId) {
        return false;
    }
    return TickUnlessBusy();
}

bool RefreshCycle::TickUnlessBusy() {
    if (busy_.IsBusy()) {
        return false;
    }
    RefreshTick();
    return true;
}

}  // namespace perch
