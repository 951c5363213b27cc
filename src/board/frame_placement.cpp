#include "board/frame_placement.h"

#include <algorithm>
#include <vector>

#include "platform/monitors.h"

namespace perch {
namespace {

// The frame's size at creation when it sizes itself: small, the first fit grows it.
constexpr int kAutoSizeWidth = 80;
constexpr int kAutoSizeHeight = 100;
// How close to an edge counts as touching it.
constexpr int kSnapDistance = 5;
// A client area this low is taken for one the menu bar has wrapped over.
constexpr int kCollapsedClientHeight = 10;
// The narrowest a frame without its menu bar is made.
constexpr int kNarrowestFrame = 50;

// Stored positions and sizes beyond this are corrupt; holding them here keeps the
// arithmetic on them in range (they are on no monitor either way).
constexpr int kCoordinateLimit = 1 << 20;

int Bounded(int value, int low) {
    return std::clamp(value, low, kCoordinateLimit);
}

Rect RectAt(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

}  // namespace

int MinTrackWidthFor(bool menuShown, int cellWidth, int menuMinTrackWidth, int dpi) {
    return menuShown ? menuMinTrackWidth
                     : std::max(cellWidth, framework::ScaleToDpi(kNarrowestFrame, dpi));
}

int FramePlacement::MinimumFrameWidth() const {
    return MinTrackWidthFor(settings_.Menu != 0, layout_.CellWidth(), frameHost_.MinTrackWidth(),
                            frameHost_.FrameDpi());
}

int FramePlacement::Scaled(int pixels96) const {
    return framework::ScaleToDpi(pixels96, frameHost_.FrameDpi());
}

void FramePlacement::FitAfterPaint() {
    // The first paint fits the frame to the grid; the next one, without Auto Size, goes
    // back to the stored size.
    if (fitPending_ != 0) {
        FitFrameToBoard(layout_.BoardWidth(), layout_.BoardHeight() - 2, false);
    } else if (firstPaint_ != 0) {
        if (settings_.Resize == 0) {
            FitFrameToBoard(settings_.XSize, settings_.YSize, true);
        }
        firstPaint_ = 0;
    }
}

void FramePlacement::PlaceFrameAtCreation() {
    const bool autoSize = settings_.Resize != 0;
    int w = autoSize ? Scaled(kAutoSizeWidth) : Bounded(settings_.XSize, 0);
    int h = autoSize ? Scaled(kAutoSizeHeight) : Bounded(settings_.YSize, 0);
    int x = Bounded(settings_.XPos, -kCoordinateLimit);
    int y = Bounded(settings_.YPos, -kCoordinateLimit);
    PlaceOnMonitor(MonitorHolding(RectAt(x, y, w, h), windows_.GetMonitorRects()), x, y, w, h);
    settings_.XPos = x;
    settings_.YPos = y;

    windows_.SetWindowPos(tracker_.Frame(), zOrder_.InsertAfterAtCreation(), x, y, w, h,
                          kSwpNoActivate);
}

void FramePlacement::FitFrameToBoard(int w, int h, bool wholeWindow) {
    // A stored size may be anything; a board's size is held to the same limit.
    w = Bounded(w, 0);
    h = Bounded(h, 0);
    if (frameHost_.MinTrackHeight() > h) {
        h = frameHost_.MinTrackHeight();
    }
    const WindowHandle frame = tracker_.Frame();
    const Rect frameRect = windows_.GetWindowRect(frame);
    const Rect client = windows_.GetClientRect(tracker_.View());
    if (!wholeWindow) {
        w += frameRect.Width() - client.Width();
        h += frameRect.Height() - client.Height();
    }
    if (client.Height() <= Scaled(kCollapsedClientHeight)) {
        h += Scaled(kCollapsedClientHeight);
    }
    // The system would widen a narrower frame to its minimum keeping the left edge, and
    // a frame anchored to the right edge would then reach past it.
    w = std::max(w, MinimumFrameWidth());
    int x = frameRect.left;
    int y = frameRect.top;
    // The monitor is the one the frame is on now, not the one its new size would reach
    // into: a frame anchored to an edge grows away from that edge.
    PlaceOnMonitor(MonitorHolding(frameRect, windows_.GetMonitorRects()), x, y, w, h);
    windows_.SetWindowPos(frame, kHwndTop, x, y, w, h,
                          kSwpNoZOrder | kSwpNoActivate | kSwpShowWindow);
    zOrder_.OnFrameFitted();
    fitPending_ = 0;
}

void FramePlacement::PlaceOnMonitor(const Rect& monitor, int& x, int& y, int& w, int& h) {
    LimitSizeToMonitor(w, h, monitor);
    SnapToEdgesOf(monitor, x, y, w, h);
    // A frame whose caption cannot be taken hold of (its monitor unplugged since, a corrupt
    // value, or dragged off an edge) goes wholly onto the monitor.
    if (!CanBeGrabbedOn(RectAt(x, y, w, h), monitor)) {
        const Rect moved = BringOntoMonitor(RectAt(x, y, w, h), monitor);
        x = moved.left;
        y = moved.top;
    }
}

void FramePlacement::SnapToEdgesOf(const Rect& monitor, int& x, int& y, int w, int h) {
    if (settings_.SmartPos == 0) {
        return;
    }
    if (snapRight_ != 0) {
        x = monitor.right - w;
    } else if (x + w + Scaled(kSnapDistance) >= monitor.right) {
        x = monitor.right - w;
        snapRight_ = 1;
    } else {
        snapRight_ = 0;
    }
    if (snapBottom_ != 0) {
        y = monitor.bottom - h;
    } else if (y + h + Scaled(kSnapDistance) >= monitor.bottom) {
        y = monitor.bottom - h;
        snapBottom_ = 1;
    } else {
        snapBottom_ = 0;
    }
}

void FramePlacement::OnFrameMoved() {
    const Rect frameRect = windows_.GetWindowRect(tracker_.Frame());
    const Rect monitor = MonitorHolding(frameRect, windows_.GetMonitorRects());
    if (frameRect.right != monitor.right) {
        snapRight_ = 0;
    }
    if (frameRect.bottom != monitor.bottom) {
        snapBottom_ = 0;
    }
}

}  // namespace perch
