#include "board/mouse.h"

#include "board/answering_windows.h"
#include "board/board.h"

namespace perch {
namespace {

// How much taller than the grid the frame becomes when the menu bar comes back.
constexpr int kMenuReturnExtraHeight = 100;

}  // namespace

bool BoardMouse::OnMouse(MouseMessage message, unsigned keyFlags, Point point) {
    switch (message) {
        case MouseMessage::kLeftDown:
            return OnLeftPress(point);
        case MouseMessage::kLeftDoubleClick:
            return OnLeftDoubleClick();
        case MouseMessage::kRightUp:
            return OnRightRelease(keyFlags, point);
        case MouseMessage::kRightDoubleClick:
            board_.selection.ClearSelection();
            ignoreNextRelease = 1;
            return true;
        case MouseMessage::kLeftUp:
        case MouseMessage::kRightDown:
        case MouseMessage::kMove:
            return true;
    }
    return true;
}

// Activation happens on the press; the second press of a double-click arrives as a
// double-click message, so a double-click activates once.
bool BoardMouse::OnLeftPress(Point point) {
    if (board_.layout.cellHeight == 0) {
        return false;
    }
    board_.flags.busy = 1;
    const HitResult hit = board_.layout.HitTest(point);
    if (hit.index < 0) {
        board_.flags.busy = 0;
        return false;
    }
    if (!hit.title.empty()) {
        Tracker& tracker = board_.tracker;
        if (hit.title != tracker.FocusTitle()) {
            if (board_.settings.Focus != 0) {
                board_.InvalidateTitleBox(tracker.FocusTitle());
                board_.InvalidateTitleBox(hit.title);
            }
            tracker.SetFocusTitle(hit.title);
        }
        const DocumentWindowSearch search = tracker.FindDocumentWindow(hit.title);
        if (search.found) {
            ActivateDocument(search.document, search.app);
        }
    }
    board_.flags.busy = 0;
    return true;
}

void BoardMouse::ActivateDocument(WindowHandle document, WindowHandle app) {
    if (document == kNoWindow || app == kNoWindow) {
        return;
    }
    WindowSystem& windows = board_.windows;
    if (!AnsweringWindows(windows).Answers(document)) {
        return;
    }
    windows.BringWindowToTop(document);
    if (windows.IsIconic(document)) {
        // Posted, so the board does not wait for the other application to restore it.
        windows.PostSysCommand(document, kScRestore);
    }
    windows.SetForegroundWindow(app);
}

bool BoardMouse::OnLeftDoubleClick() {
    Settings& settings = board_.settings;
    if (settings.Menu != 0) {
        return false;
    }
    settings.Menu = 1;  // the user's choice, saved at exit like any option
    WindowSystem& windows = board_.windows;
    FrameHost& frame = board_.frameHost;
    windows.SetWindowPos(board_.tracker.Frame(), kHwndTop, 0, 0, frame.MinTrackWidth(),
                         board_.layout.boardHeight + kMenuReturnExtraHeight,
                         kSwpNoMove | kSwpNoActivate | kSwpShowWindow);
    frame.SelectMenu(windows.GetClientRect(board_.tracker.View()).Width(), true);
    board_.flags.resizePending = 1;
    board_.InvalidateAll();
    return true;
}

bool BoardMouse::OnRightRelease(unsigned keyFlags, Point point) {
    if (ignoreNextRelease != 0) {
        ignoreNextRelease = 0;
        return false;
    }
    if (board_.layout.cellHeight == 0) {
        return false;
    }
    const HitResult hit = board_.layout.HitTest(point);
    if (hit.index < 0) {
        return false;
    }
    if ((keyFlags & kMkControl) != 0) {
        board_.selection.ToggleSelected(hit.title);
    } else {
        board_.selection.ClearSelection();
        board_.selection.SelectOnly(hit.title);
    }
    return true;
}

}  // namespace perch
