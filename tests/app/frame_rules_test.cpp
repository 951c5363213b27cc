#include "app/frame_rules.h"

#include <gtest/gtest.h>

namespace perch {
namespace {

TEST(FrameRulesTest, MetricsByScreenWidth) {
    EXPECT_EQ(MetricsForScreenWidth(640), (FrameMetrics{104, 100, 76, 14}));
    EXPECT_EQ(MetricsForScreenWidth(649), (FrameMetrics{104, 100, 76, 14}));
    EXPECT_EQ(MetricsForScreenWidth(650), (FrameMetrics{112, 100, 80, 16}));
    EXPECT_EQ(MetricsForScreenWidth(809), (FrameMetrics{112, 100, 80, 16}));
    EXPECT_EQ(MetricsForScreenWidth(810), (FrameMetrics{130, 125, 90, 18}));
    EXPECT_EQ(MetricsForScreenWidth(1024), (FrameMetrics{130, 125, 90, 18}));
    EXPECT_EQ(MetricsForScreenWidth(1030), (FrameMetrics{140, 140, 96, 20}));
    EXPECT_EQ(MetricsForScreenWidth(1289), (FrameMetrics{140, 140, 96, 20}));
    EXPECT_EQ(MetricsForScreenWidth(1290), (FrameMetrics{180, 180, 120, 22}));
    EXPECT_EQ(MetricsForScreenWidth(3840), (FrameMetrics{180, 180, 120, 22}));
}

TEST(FrameRulesTest, CaptionAndMenuFollowTheWidth) {
    const FrameMetrics m = MetricsForScreenWidth(1024);
    EXPECT_EQ(CaptionForWidth(130, m), "Roost");
    EXPECT_EQ(CaptionForWidth(131, m), "Perch");
    EXPECT_EQ(CaptionForWidth(0, m), "Roost");  // a minimized frame reports width 0

    // Only crossing the threshold swaps the menu; forcing always attaches.
    EXPECT_EQ(ChooseMenu(124, true, false, m).attach, MenuToAttach::kNone);
    MenuChoice c = ChooseMenu(125, true, false, m);
    EXPECT_EQ(c.attach, MenuToAttach::kFull);
    EXPECT_FALSE(c.compactInUse);
    EXPECT_EQ(ChooseMenu(500, false, false, m).attach, MenuToAttach::kNone);
    c = ChooseMenu(124, false, false, m);
    EXPECT_EQ(c.attach, MenuToAttach::kCompact);
    EXPECT_TRUE(c.compactInUse);
    EXPECT_EQ(ChooseMenu(0, false, false, m).attach, MenuToAttach::kCompact);
    EXPECT_EQ(ChooseMenu(124, true, true, m).attach, MenuToAttach::kCompact);
    EXPECT_EQ(ChooseMenu(500, false, true, m).attach, MenuToAttach::kFull);
}

TEST(FrameRulesTest, InstanceTitles) {
    EXPECT_TRUE(IsInstanceTitle("Perch"));
    EXPECT_TRUE(IsInstanceTitle("Roost"));
    EXPECT_TRUE(IsInstanceTitle("pErCh"));
    EXPECT_TRUE(IsInstanceTitle("ROOST"));
    EXPECT_FALSE(IsInstanceTitle("Perch "));
    EXPECT_FALSE(IsInstanceTitle(" Perch"));
    EXPECT_FALSE(IsInstanceTitle("Perch - Board"));
    EXPECT_FALSE(IsInstanceTitle("Perc"));
    EXPECT_FALSE(IsInstanceTitle(""));
    // Case folding is for A to Z only: a Latin-1 capital is not a small letter.
    EXPECT_FALSE(IsInstanceTitle("P\xC9rch"));
}

TEST(FrameRulesTest, SplashTiming) {
    EXPECT_FALSE(SplashDue(1000 + 1500, 1000));  // exactly 1500 ms: still up
    EXPECT_TRUE(SplashDue(1000 + 1501, 1000));
    EXPECT_FALSE(SplashDue(1000, 1000));
    // Across the wrap of the 32-bit tick counter.
    EXPECT_FALSE(SplashDue(100, 0xFFFFFFFFu - 100));
    EXPECT_TRUE(SplashDue(1500, 0xFFFFFFFFu - 100));
}

}  // namespace
}  // namespace perch
