#pragma once

#include <span>

#include "platform/window_system.h"

namespace perch {

// Where a rectangle stands among the display monitors (GetMonitorRects, primary first).
// The rectangles may come from anywhere, a damaged registry value included, so every
// coordinate of int's range is allowed and nothing here overflows. An empty or inverted
// rectangle (width or height 0 or less) counts as its top-left pixel, as MonitorFromRect
// counts it.

// Whether the rectangle shares at least one pixel with a monitor.
bool IsOnAnyMonitor(const Rect& rect, std::span<const Rect> monitors);

// The monitor that holds the rectangle, as MonitorFromRect with MONITOR_DEFAULTTONEAREST
// decides: the one it overlaps most, or else the nearest one; on a tie the earlier in
// the list. An empty rectangle when there is no monitor.
Rect MonitorHolding(const Rect& rect, std::span<const Rect> monitors);

// How much of a window must lie on its monitor for the user to take hold of it: its
// top-left corner, and from there a piece of its caption this wide and this high (or the
// whole window, when it is smaller).
inline constexpr int kGrabWidth = 32;
inline constexpr int kGrabHeight = 24;

// Whether the window's top-left corner and the piece of caption beside it are on the
// monitor.
bool CanBeGrabbedOn(const Rect& rect, const Rect& monitor);

// A window size no larger than the monitor (a size of 0 or less stays as it is).
void LimitSizeToMonitor(int& width, int& height, const Rect& monitor);

// The rectangle moved, not resized, to lie inside the monitor. When it is wider (taller)
// than the monitor its left (top) edge goes to the monitor's. An edge that would pass the
// end of int's range after the move stops there.
Rect BringOntoMonitor(const Rect& rect, const Rect& monitor);

}  // namespace perch
