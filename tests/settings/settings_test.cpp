#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace perch {
namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(UpdateToMilliseconds, RoundsToTheNearestMillisecond) {
    EXPECT_EQ(UpdateToMilliseconds(14 * 0.1f), 1400);  // 1.3999999f: truncation gives 1399
    EXPECT_EQ(UpdateToMilliseconds(13 * 0.1f), 1300);  // 1.3000001f
    EXPECT_EQ(UpdateToMilliseconds(1.5f), 1500);
    EXPECT_EQ(UpdateToMilliseconds(0.5f), 500);
    EXPECT_EQ(UpdateToMilliseconds(5.0f), 5000);
    EXPECT_EQ(UpdateToMilliseconds(0.0f), 0);
    EXPECT_EQ(UpdateToMilliseconds(-1.2f), -1200);
    EXPECT_EQ(UpdateToMilliseconds(0.0015f), 2);  // half a millisecond rounds up
    for (int tenths = 5; tenths <= 50; ++tenths) {
        EXPECT_EQ(UpdateToMilliseconds(static_cast<float>(tenths) * 0.1f), tenths * 100) << tenths;
        EXPECT_EQ(UpdateToMilliseconds(MillisecondsToUpdate(tenths * 100)), tenths * 100) << tenths;
    }
}

TEST(UpdateToMilliseconds, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(UpdateToMilliseconds(kInf), kIntMax);
    EXPECT_EQ(UpdateToMilliseconds(-kInf), kIntMin);
    EXPECT_EQ(UpdateToMilliseconds(1e30f), kIntMax);
    EXPECT_EQ(UpdateToMilliseconds(kNaN), 0);
    // The extremes a registry value can load as store back at the extremes.
    EXPECT_EQ(UpdateToMilliseconds(MillisecondsToUpdate(kIntMax)), kIntMax);
    EXPECT_EQ(UpdateToMilliseconds(MillisecondsToUpdate(kIntMin)), kIntMin);
}

TEST(TimerIntervalMs, HoldsTheIntervalToHalfASecondToFiveSeconds) {
    Settings s;
    EXPECT_EQ(TimerIntervalMs(s), 1500);
    const struct {
        float update;
        std::int32_t ms;
    } cases[] = {{25 * 0.1f, 2500},
                 {0.5f, 500},
                 {5.0f, 5000},
                 {0.4f, 500},
                 {0.0f, 500},
                 {-3.0f, 500},
                 {60.0f, 5000},
                 {kInf, 5000},
                 {-kInf, 500},
                 {kNaN, 500},
                 {MillisecondsToUpdate(kIntMin), 500},
                 {MillisecondsToUpdate(kIntMax), 5000}};
    for (const auto& c : cases) {
        s.Update = c.update;
        EXPECT_EQ(TimerIntervalMs(s), c.ms) << c.update;
    }
}

TEST(BoundedColumns, KeepsZeroAndBoundsTheRest) {
    Settings s;
    const struct {
        std::int32_t stored;
        std::int32_t used;
    } cases[] = {{2, 2}, {1, 1}, {16, 16}, {0, 0}, {-1, 0}, {17, 16}, {kIntMin, 0}, {kIntMax, 16}};
    for (const auto& c : cases) {
        s.NumColumns = c.stored;
        EXPECT_EQ(BoundedColumns(s), c.used) << c.stored;
    }
}

}  // namespace
}  // namespace perch
