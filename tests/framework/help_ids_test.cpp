#include "framework/help_ids.h"

#include <gtest/gtest.h>

#include "res/resource.h"

namespace framework {
namespace {

TEST(HelpIdsTest, F1AsksForThePageThenTheMenuItemThenTheMainWindow) {
    EXPECT_EQ(HelpIdForF1({IDD_COLORS, ID_SET_FONT}, IDR_MAINFRAME), 0x20000u + IDD_COLORS);
    EXPECT_EQ(HelpIdForF1({0, ID_WINDOWS_TILE_HORZ}, IDR_MAINFRAME), 0x10000u + 32787u);
    EXPECT_EQ(HelpIdForF1({0, 0}, IDR_MAINFRAME), 0x20002u);
    // Command and resource numbers never meet: the highest command id stays below the
    // resource base.
    EXPECT_LT(HelpIdForCommand(0xFFFF), HelpIdForResource(0));
}

TEST(HelpIdsTest, WinHelpUnlessHtmlHelpIsBothNeededAndThere) {
    using enum HelpViewerKind;
    EXPECT_EQ(ChooseHelpViewer(true, 10, true, true), kWinHelp);    // Wine
    EXPECT_EQ(ChooseHelpViewer(false, 5, true, true), kWinHelp);    // before Windows 6
    EXPECT_EQ(ChooseHelpViewer(false, 10, true, true), kHtmlHelp);  // current Windows
    EXPECT_EQ(ChooseHelpViewer(false, 10, false, true), kWinHelp);  // no hhctrl.ocx
    EXPECT_EQ(ChooseHelpViewer(false, 10, true, false), kWinHelp);  // no .chm beside it
}

}  // namespace
}  // namespace framework
