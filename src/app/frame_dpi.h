// The frame's size thresholds at the DPI of the monitor it is on.
#pragma once

#include "app/frame_rules.h"

namespace perch {

// The thresholds of the screen-metrics table for a screen of that width in pixels at that
// DPI: the row is chosen by the width the screen has at 96 DPI, and every length of it is
// then scaled to the DPI. At 96 DPI this is MetricsForScreenWidth.
FrameMetrics MetricsForScreen(int screenWidth, int dpi);

}  // namespace perch
