#include "board/mouse.h"

#include "board/answering_windows.h"

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
            selection_.ClearSelection();
            ignoreNextRelease_ = 1;
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
    if (layout_.CellHeight() == 0) {
        return false;
    }
    const HitResult hit = layout_.HitTest(point);
    if (hit.index < 0) {
        return false;
    }
    ActivateTitle(hit.title);
    return true;
}

void BoardMouse::ActivateTitle(const std::string& title) {
    if (title.empty()) {
        return;
    }
    const BusyScope busy(busy_);
    selection_.MoveFocusTo(title);
    const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
    if (search.found) {
        ActivateDocument(search.document, search.app);
    }
}

void BoardMouse::ActivateDocument(WindowHandle document, WindowHandle app) {
    if (document == kNoWindow || app == kNoWindow) {
        return;
    }
    WindowSystem& windows = tracker_.Windows();
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
    if (settings_.Menu != 0) {
        return false;
    }
    settings_.Menu = 1;  // the user's choice, saved at exit like any option
    WindowSystem& windows = tracker_.Windows();
    windows.SetWindowPos(tracker_.Frame(), kHwndTop, 0, 0, frame_.MinTrackWidth(),
                         layout_.BoardHeight() +
                             framework::ScaleToDpi(kMenuReturnExtraHeight, frame_.FrameDpi()),
                         kSwpNoMove | kSwpNoActivate | kSwpShowWindow);
    frame_.SelectMenu(windows.GetClientRect(tracker_.View()).Width(), true);
    placement_.RequestFit();
    host_.InvalidateAll();
    return true;
}

bool BoardMouse::OnRightRelease(unsigned keyFlags, Point point) {
    if (ignoreNextRelease_ != 0) {
        ignoreNextRelease_ = 0;
        return false;
    }
    if (layout_.CellHeight() == 0) {
        return false;
    }
    const HitResult hit = layout_.HitTest(point);
    if (hit.index < 0) {
        return false;
    }
    if ((keyFlags & kMkControl) != 0) {
        selection_.ToggleSelected(hit.title);
    } else {
        selection_.ClearSelection();
        selection_.SelectOnly(hit.title);
    }
    return true;
}

}  // namespace perch
