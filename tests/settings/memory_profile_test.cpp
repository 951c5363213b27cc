#include "support/memory_profile.h"

#include <gtest/gtest.h>

#include <string>

namespace perch {
namespace {

using test::MemoryProfile;

// The store's tests rely on the model behaving as the registry does.
TEST(MemoryProfile, BehavesAsTheRegistryForTheSettingsRoutines) {
    MemoryProfile profile;
    EXPECT_FALSE(profile.HasSection("Options"));
    EXPECT_EQ(profile.ReadInt("Options", "Menu", 7), 7);
    EXPECT_TRUE(profile.HasSection("OPTIONS"));  // the read created the key
    EXPECT_EQ(profile.ValueCount(), 0u);

    profile.WriteInt("options", "MENU", 0);
    EXPECT_EQ(profile.ReadInt("Options", "Menu", 7), 0);               // names ignore case
    EXPECT_EQ(profile.ReadString("Options", "Menu", "dflt"), "dflt");  // wrong type

    profile.WriteString("Options", "Menu", "text");  // a write replaces the type
    EXPECT_EQ(profile.ReadInt("Options", "Menu", 7), 7);
    EXPECT_EQ(profile.ReadString("Options", "menu", "dflt"), "text");
    EXPECT_EQ(profile.ValueCount(), 1u);

    EXPECT_EQ(profile.Writes(),
              (std::vector<MemoryProfile::Write>{{"options", "MENU", 0},
                                                 {"Options", "Menu", std::string("text")}}));
    EXPECT_EQ(profile.Reads().size(), 5u);

    profile.SetWritesFail(true);
    profile.WriteInt("Colors", "Red Text", 1);
    EXPECT_EQ(profile.Writes().size(), 3u);
    EXPECT_FALSE(profile.Get("Colors", "Red Text").has_value());
    EXPECT_FALSE(profile.HasSection("Colors"));

    profile.ClearLog();
    EXPECT_TRUE(profile.Reads().empty());
    EXPECT_TRUE(profile.Writes().empty());
}

}  // namespace
}  // namespace perch
