// Monitor geometry: which monitor holds a window, whether a stored place can still be
// seen, and bringing it back. The rectangles may be anything a damaged registry holds.

#include "platform/monitors.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace perch {
namespace {

// A primary 1024x768 monitor and a second one to its right, taller and lower.
const std::vector<Rect> kTwo = {{0, 0, 1024, 768}, {1024, 100, 2304, 1124}};
const std::vector<Rect> kOne = {{0, 0, 1024, 768}};
const std::vector<Rect> kNone;

TEST(MonitorsTest, IsOnAnyMonitorNeedsOneSharedPixel) {
    EXPECT_TRUE(IsOnAnyMonitor({100, 100, 400, 300}, kTwo));
    EXPECT_TRUE(IsOnAnyMonitor({-299, -199, 1, 1}, kTwo));        // one pixel in the corner
    EXPECT_FALSE(IsOnAnyMonitor({-300, -200, 0, 0}, kTwo));       // touching is not sharing
    EXPECT_TRUE(IsOnAnyMonitor({2000, 1000, 2400, 1200}, kTwo));  // on the second only
    EXPECT_FALSE(IsOnAnyMonitor({1030, 0, 1300, 100}, kTwo));     // above the second
    EXPECT_FALSE(IsOnAnyMonitor({-32000, -32000, -31840, -31976}, kTwo));  // minimized place
    EXPECT_FALSE(IsOnAnyMonitor({100, 100, 400, 300}, kNone));

    // Empty and inverted rectangles are their top-left pixel.
    EXPECT_TRUE(IsOnAnyMonitor({1023, 767, 1023, 767}, kTwo));
    EXPECT_FALSE(IsOnAnyMonitor({1023, 768, 1023, 768}, kTwo));
    EXPECT_TRUE(IsOnAnyMonitor({500, 10, -20, 500}, kOne));
    EXPECT_FALSE(IsOnAnyMonitor({-20, 10, 500, 5}, kOne));
}

TEST(MonitorsTest, IsOnAnyMonitorTakesTheWholeIntRange) {
    EXPECT_TRUE(IsOnAnyMonitor({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kTwo));
    EXPECT_FALSE(IsOnAnyMonitor({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, kTwo));
    EXPECT_FALSE(IsOnAnyMonitor({INT_MAX, 0, INT_MIN, 10}, kTwo));
    const std::vector<Rect> atTheEnd = {{0, 0, 1024, 768},
                                        {INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX}};
    EXPECT_TRUE(IsOnAnyMonitor({INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX}, atTheEnd));
}

TEST(MonitorsTest, MonitorHoldingPrefersTheLargestOverlap) {
    // Mostly on the second monitor, though it starts on the primary.
    EXPECT_EQ(MonitorHolding({1000, 200, 1400, 400}, kTwo), kTwo[1]);
    EXPECT_EQ(MonitorHolding({900, 200, 1100, 400}, kTwo), kTwo[0]);
    // Equal shares: the earlier monitor, the primary.
    EXPECT_EQ(MonitorHolding({924, 200, 1124, 400}, kTwo), kTwo[0]);
    const std::vector<Rect> swapped = {kTwo[1], kTwo[0]};
    EXPECT_EQ(MonitorHolding({924, 200, 1124, 400}, swapped), kTwo[1]);
    // Across the corner between them: more of it lies on the second.
    EXPECT_EQ(MonitorHolding({1020, 700, 1030, 1200}, kTwo), kTwo[1]);
    EXPECT_EQ(MonitorHolding({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kTwo), kTwo[1]);
    EXPECT_EQ(MonitorHolding({100, 100, 400, 300}, kNone), Rect{});
}

TEST(MonitorsTest, MonitorHoldingFallsBackToTheNearest) {
    EXPECT_EQ(MonitorHolding({3000, 500, 3100, 600}, kTwo), kTwo[1]);
    EXPECT_EQ(MonitorHolding({-32000, -32000, -31840, -31976}, kTwo), kTwo[0]);
    // Below both: the second monitor reaches lower, though the rectangle sits under the
    // primary's columns.
    EXPECT_EQ(MonitorHolding({900, 1200, 1000, 1300}, kTwo), kTwo[1]);
    // Straight-line distance: 250 across and 250 down is nearer than 400 straight down.
    const std::vector<Rect> apart = {{0, 0, 100, 100}, {310, 760, 400, 860}};
    EXPECT_EQ(MonitorHolding({50, 500, 60, 510}, apart), apart[1]);
    // Equally near: the earlier one.
    const std::vector<Rect> pair = {{0, 0, 100, 100}, {200, 0, 300, 100}};
    EXPECT_EQ(MonitorHolding({140, 300, 160, 320}, pair), pair[0]);
    const std::vector<Rect> reversed = {pair[1], pair[0]};
    EXPECT_EQ(MonitorHolding({140, 300, 160, 320}, reversed), pair[1]);
    // The empty rectangle is its top-left pixel, on the second monitor here.
    EXPECT_EQ(MonitorHolding({1500, 300, 100, 400}, kTwo), kTwo[1]);
}

TEST(MonitorsTest, MonitorHoldingMeasuresFarDistancesWithoutWrapping) {
    // Both far to the right of a rectangle at the left end of the range; the first one is
    // farther, and its squared distance is past 2^64.
    const std::vector<Rect> far = {{INT_MAX - 100, 2000000, INT_MAX, 2000100},
                                   {INT_MAX - 100, 0, INT_MAX, 1}};
    EXPECT_EQ(MonitorHolding({INT_MIN, 0, INT_MIN + 1, 1}, far), far[1]);
    EXPECT_EQ(MonitorHolding({INT_MIN, INT_MIN, INT_MIN, INT_MIN}, kTwo), kTwo[0]);
}

TEST(MonitorsTest, BringOntoMonitorMovesWithoutResizing) {
    const Rect screen{0, 0, 1024, 768};
    EXPECT_EQ(BringOntoMonitor({100, 100, 400, 300}, screen), (Rect{100, 100, 400, 300}));
    EXPECT_EQ(BringOntoMonitor({900, 700, 1200, 900}, screen), (Rect{724, 568, 1024, 768}));
    EXPECT_EQ(BringOntoMonitor({-50, -20, 250, 180}, screen), (Rect{0, 0, 300, 200}));
    EXPECT_EQ(BringOntoMonitor({-32000, -32000, -31840, -31976}, screen), (Rect{0, 0, 160, 24}));
    // Wider or taller than the monitor: the left or top edge on the monitor's.
    EXPECT_EQ(BringOntoMonitor({300, 100, 1500, 300}, screen), (Rect{0, 100, 1200, 300}));
    EXPECT_EQ(BringOntoMonitor({-400, 500, 100, 1500}, screen), (Rect{0, 0, 500, 1000}));
    // A monitor left of and above the primary.
    const Rect left{-1280, -256, 0, 768};
    EXPECT_EQ(BringOntoMonitor({100, 100, 400, 300}, left), (Rect{-300, 100, 0, 300}));
    // Empty and inverted rectangles keep their extent; their top-left pixel lands inside.
    EXPECT_EQ(BringOntoMonitor({2000, 2000, 2000, 2000}, screen), (Rect{1023, 767, 1023, 767}));
    EXPECT_EQ(BringOntoMonitor({2000, -100, 1900, -200}, screen), (Rect{1023, 0, 923, -100}));
}

TEST(MonitorsTest, BringOntoMonitorTakesTheWholeIntRange) {
    const Rect screen{0, 0, 1024, 768};
    EXPECT_EQ(BringOntoMonitor({INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}, screen),
              (Rect{1014, 758, 1024, 768}));
    EXPECT_EQ(BringOntoMonitor({INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10}, screen),
              (Rect{0, 0, 10, 10}));
    // Too wide to move and keep its width: the far edge stops at the end of the range.
    EXPECT_EQ(BringOntoMonitor({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, screen),
              (Rect{0, 0, INT_MAX, INT_MAX}));
    EXPECT_EQ(BringOntoMonitor({INT_MAX, INT_MAX, INT_MIN, INT_MIN}, screen),
              (Rect{1023, 767, INT_MIN, INT_MIN}));
}

}  // namespace
}  // namespace perch
