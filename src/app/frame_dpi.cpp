#include "app/frame_dpi.h"

#include "framework/dpi_scale.h"

namespace perch {

FrameMetrics MetricsForScreen(int screenWidth, int dpi) {
    using framework::ScaleToDpi;
    // Truncated, as a width is: a 1029-pixel screen at 96 DPI stays below the 1030 row.
    const int width96 = static_cast<int>(static_cast<long long>(screenWidth) *
                                         framework::kBaseDpi / framework::SaneDpi(dpi));
    FrameMetrics metrics = MetricsForScreenWidth(width96);
    metrics.shortTitleWidth = ScaleToDpi(metrics.shortTitleWidth, dpi);
    metrics.compactMenuWidth = ScaleToDpi(metrics.compactMenuWidth, dpi);
    metrics.minTrackWidth = ScaleToDpi(metrics.minTrackWidth, dpi);
    metrics.minTrackHeight = ScaleToDpi(metrics.minTrackHeight, dpi);
    return metrics;
}

}  // namespace perch
