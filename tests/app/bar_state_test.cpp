#include "app/bar_state.h"

#include <gtest/gtest.h>

#include "support/memory_profile.h"

namespace perch {
namespace {

TEST(BarStateTest, RoundTripsEveryBar) {
    test::MemoryProfile profile;
    const BarStateRecord saved{1024,
                               768,
                               {{59393, false, DockSide::kBottom, false, 0, 0},
                                {59392, true, DockSide::kLeft, false, 0, 0},
                                {59400, true, DockSide::kTop, true, -40, 700}}};
    SaveBarState(profile, "perch32.ini", saved);
    EXPECT_EQ(LoadBarState(profile, "perch32.ini"), saved);

    // The names the framework's bar state uses, beside the program's own sections.
    EXPECT_TRUE(profile.HasSection("perch32.ini-Summary"));
    EXPECT_EQ(profile.Get("perch32.ini-Bar1", "BarID"),
              test::MemoryProfile::Value{std::int32_t{59392}});
    EXPECT_EQ(profile.Get("perch32.ini-Bar1", "Horz"), test::MemoryProfile::Value{std::int32_t{0}});
    EXPECT_EQ(profile.Get("perch32.ini-Bar2", "Floating"),
              test::MemoryProfile::Value{std::int32_t{1}});
    // Another profile name is another record.
    EXPECT_TRUE(LoadBarState(profile, "other.ini").bars.empty());
}

TEST(BarStateTest, MissingOrDamagedRecords) {
    test::MemoryProfile profile;
    EXPECT_TRUE(LoadBarState(profile, "perch32.ini").bars.empty());

    // A bar count no frame has is no record at all.
    profile.Set("perch32.ini-Summary", "Bars", std::int32_t{100000});
    EXPECT_TRUE(LoadBarState(profile, "perch32.ini").bars.empty());
    profile.Set("perch32.ini-Summary", "Bars", std::int32_t{-1});
    EXPECT_TRUE(LoadBarState(profile, "perch32.ini").bars.empty());

    // A bar with no values, or an unknown dock bar, is visible and docked at the top.
    profile.Set("perch32.ini-Summary", "Bars", std::int32_t{1});
    profile.Set("perch32.ini-Bar0", "MRUDockID", std::int32_t{7});
    const BarStateRecord record = LoadBarState(profile, "perch32.ini");
    ASSERT_EQ(record.bars.size(), 1u);
    EXPECT_TRUE(record.bars[0].visible);
    EXPECT_EQ(record.bars[0].side, DockSide::kTop);
    EXPECT_FALSE(record.bars[0].floating);
}

}  // namespace
}  // namespace perch
