#include "board/busy.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace perch {
namespace {

TEST(BusyScopeTest, BusyForItsLifeAndAsBeforeAfterwards) {
    BusyFlag flag;
    EXPECT_FALSE(flag.IsBusy());
    {
        const BusyScope dialog(flag);
        EXPECT_TRUE(flag.IsBusy());
        {
            const BusyScope command(flag);  // a command run while the dialog is open
            EXPECT_TRUE(flag.IsBusy());
        }
        EXPECT_TRUE(flag.IsBusy());  // the dialog is still open
    }
    EXPECT_FALSE(flag.IsBusy());

    // Whatever way the work ends, the flag does not stay set.
    EXPECT_THROW(
        {
            const BusyScope scope(flag);
            throw std::runtime_error("the window went away");
        },
        std::runtime_error);
    EXPECT_FALSE(flag.IsBusy());
}

}  // namespace
}  // namespace perch
