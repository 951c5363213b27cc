#include "app/frame_dpi.h"

#include <gtest/gtest.h>

namespace perch {
namespace {

TEST(FrameDpiTest, TheScreenTableAtEachDpi) {
    // At 96 DPI the table as it always was, at every row boundary.
    for (const int width : {640, 649, 650, 809, 810, 1024, 1029, 1030, 1289, 1290, 3840}) {
        EXPECT_EQ(MetricsForScreen(width, 96), MetricsForScreenWidth(width)) << width;
    }
    // A 1024-pixel screen at 144 DPI is 682 pixels wide at 96: that row, 1.5 times.
    EXPECT_EQ(MetricsForScreen(1024, 144), (FrameMetrics{168, 150, 120, 24}));
    // A 1920-pixel screen at 144 DPI: 1280 at 96, the 1030-1289 row.
    EXPECT_EQ(MetricsForScreen(1920, 144), (FrameMetrics{210, 210, 144, 30}));
    // At 192 DPI a 2580-pixel screen is 1290 at 96, the widest row, twice; one pixel less
    // is the row below.
    EXPECT_EQ(MetricsForScreen(2580, 192), (FrameMetrics{360, 360, 240, 44}));
    EXPECT_EQ(MetricsForScreen(2579, 192), (FrameMetrics{280, 280, 192, 40}));
    // A DPI no display has counts as 96.
    EXPECT_EQ(MetricsForScreen(1024, 0), MetricsForScreenWidth(1024));
}

}  // namespace
}  // namespace perch
