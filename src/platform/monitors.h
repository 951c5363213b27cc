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

// The rectangle moved, not resized, to lie inside the monitor. When it is wider (taller)
// than the monitor its left (top) edge goes to the monitor's. An edge that would pass the
// end of int's range after the move stops there.
Rect BringOntoMonitor(const Rect& rect, const Rect& monitor);

}  // namespace perch
