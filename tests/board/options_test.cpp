#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/options.h"
#include "board_fixture.h"
#include "res/resource.h"

namespace perch {
namespace {

using test::Action;
using Actions = std::vector<Action>;
using Titles = std::vector<std::string>;

constexpr unsigned kZOrderFlags = kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpShowWindow;

class OptionsTest : public test::BoardFixture {
  protected:
    OptionsTest() {
        profile.Set("Position", "X Pos", 700);
        profile.Set("Position", "Y Pos", 100);
        board.OnCreate();
        Reset();
        viewHost.timers.clear();
    }
    Action ZOrder(WindowHandle insertAfter) const {
        return Action::SetWindowPos(frame, insertAfter, 0, 0, 0, 0, kZOrderFlags);
    }
    // Runs Properties with the user changing the pages as `edit` does, then OK.
    void AcceptSheet(std::function<void(PropertiesPages&)> edit) {
        viewHost.editPages = std::move(edit);
        board.OnCommand(ID_PROPERTIES);
    }
    // The values written at exit, by name.
    std::vector<std::string> ExitWrites() {
        board.SaveSettingsOnExit();
        std::vector<std::string> names;
        for (const auto& write : profile.Writes()) {
            names.push_back(write.name);
        }
        return names;
    }
};

TEST(ReduceIntervalTest, ChangedIntervalsKeepWholeTenths) {
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(2.37f), 2.3f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(2.55f), 2.5f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(4.99f), 5.0f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(1.99f), 2.0f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(5.0f), 5.0f);
    EXPECT_FLOAT_EQ(ReduceIntervalToTenths(1.4f), 1.4f);
}

TEST_F(OptionsTest, AnUntouchedSheetLeavesTimerRegistryAndBoardAsTheyWere) {
    profile.Set("Options", "Update", 1500);
    profile.Set("Options", "Paths", 0);
    profile.Set("Options", "First", 0);
    board.OnCreate();
    viewHost.timers.clear();
    Reset();
    const Settings before = board.settings();
    AcceptSheet([](PropertiesPages& pages) {
        pages.settings.Update = 1.5f;  // what the page reads back from "1.5"
    });
    EXPECT_TRUE(viewHost.stoppedTimers.empty());
    EXPECT_TRUE(viewHost.timers.empty());
    Settings expected = before;
    expected.First = 1;  // always 1 while paths are hidden
    EXPECT_EQ(board.settings(), expected);
    const std::vector<std::string> written = ExitWrites();
    EXPECT_NE(std::find(written.begin(), written.end(), "First"), written.end());
    EXPECT_EQ(std::find(written.begin(), written.end(), "Update"), written.end());
}

TEST_F(OptionsTest, AChangedIntervalRestartsTheTimerAndIsSavedInWholeTenths) {
    BoardTestAccess::SetTimerId(board, 9);
    AcceptSheet([](PropertiesPages& pages) { pages.settings.Update = 2.37f; });
    EXPECT_EQ(viewHost.stoppedTimers, (std::vector<unsigned>{9}));
    ASSERT_EQ(viewHost.timers.size(), 1u);
    EXPECT_EQ(viewHost.timers[0], std::make_pair(kRefreshTimerId, 2300));
    EXPECT_EQ(PropertiesPages::From(board.settings()).settings.Update, 2.3f);
    board.SaveSettingsOnExit();
    EXPECT_EQ(profile.Get("Options", "Update"), test::MemoryProfile::Value{2300});
}

TEST_F(OptionsTest, AcceptedPagesReachTheRecordWithTheirOwnRules) {
    profile.Set("Options", "Menu", 1);
    AcceptSheet([](PropertiesPages& pages) {
        SettingsPageValues& s = pages.settings;
        s.Paths = 1;
        s.First = 0;
        s.NumColumns = 4;
        s.NumChars = 0;
        s.Sort = -1;  // no item chosen
        s.Capitals = kCaseUpper;
        pages.colors.colors = {MakeColor(255, 255, 255), MakeColor(0, 0, 127),
                               MakeColor(255, 255, 0), MakeColor(255, 0, 0)};
        pages.excludedApps = "Microsoft Word\r\nMicrosoft Excel\r\n";
    });
    const Settings& s = board.settings();
    EXPECT_EQ(s.Paths, 1);
    EXPECT_EQ(s.First, 0);  // kept: paths are shown
    EXPECT_EQ(s.NumColumns, 4);
    EXPECT_EQ(s.NumChars, 0);
    EXPECT_EQ(s.Sort, -1);
    EXPECT_EQ(s.Capitals, kCaseUpper);
    EXPECT_EQ(s.TextColor, MakeColor(255, 255, 255));
    EXPECT_EQ(s.BkgndColor, MakeColor(0, 0, 127));
    EXPECT_EQ(s.HltColor, MakeColor(255, 255, 0));
    EXPECT_EQ(s.FocusColor, MakeColor(255, 0, 0));
    EXPECT_EQ(s.ExcludedApps, "Microsoft Word||Microsoft Excel||");
    EXPECT_EQ(board.storedSettings().ExcludedApps, "Program Manager");  // until the exit save
    EXPECT_TRUE(frameHost.selectedMenus.empty());  // the menu was showing already
}

TEST_F(OptionsTest, AutoSizeRedrawsBeforeTheNewColoursAndFitsAgainAfter) {
    const ColorRef before = board.settings().BkgndColor;
    int pendingDuringRedraw = -1;
    ColorRef colourDuringRedraw = 0;
    viewHost.onRedraw = [&] {
        pendingDuringRedraw = board.placement().FitPending();
        colourDuringRedraw = board.settings().BkgndColor;
        BoardTestAccess::SetFitPending(board, false);  // as the paint does when it fits the frame
    };
    AcceptSheet([](PropertiesPages& pages) {
        pages.colors.colors[ColorsPageValues::kBackground] = MakeColor(0, 0, 0);
    });
    EXPECT_EQ(viewHost.redrawsNow, 1);
    EXPECT_EQ(pendingDuringRedraw, 1);
    EXPECT_EQ(colourDuringRedraw, before);
    EXPECT_TRUE(board.placement().FitPending());
    EXPECT_EQ(board.settings().BkgndColor, MakeColor(0, 0, 0));
    EXPECT_GE(viewHost.invalidatedAll, 2);  // the redraw, then the final invalidation

    viewHost.redrawsNow = 0;
    BoardTestAccess::SetFitPending(board, false);
    AcceptSheet([](PropertiesPages& pages) { pages.settings.Resize = 0; });
    EXPECT_EQ(viewHost.redrawsNow, 0);
    EXPECT_FALSE(board.placement().FitPending());
}

TEST_F(OptionsTest, VisibilityAndMenuChangesTakeEffectAtOnce) {
    BoardTestAccess::SettingsOf(board).Visibility = kVisibilityNormal;
    BoardTestAccess::SetTopmostApplied(board, false);
    AcceptSheet([](PropertiesPages& pages) {
        pages.settings.Visibility = kVisibilitySmart;
        pages.settings.Menu = 0;
    });
    // Made topmost by the visibility step, and once more as the sheet closes.
    EXPECT_EQ(desk.Actions(), (Actions{ZOrder(kHwndTopmost), ZOrder(kHwndTopmost)}));
    EXPECT_TRUE(board.zOrder().TopmostApplied());
    EXPECT_EQ(frameHost.menuRemoved, 1);

    Reset();
    AcceptSheet([](PropertiesPages& pages) {
        pages.settings.Visibility = kVisibilityNormal;
        pages.settings.Menu = 1;
    });
    // Back to Normal: to the bottom, then to the top of the ordinary windows, and not made
    // topmost when the sheet closes.
    EXPECT_EQ(desk.Actions(), (Actions{ZOrder(kHwndBottom), ZOrder(kHwndTop)}));
    EXPECT_FALSE(board.zOrder().TopmostApplied());
    EXPECT_EQ(desk.IsTopmost(frame), false);
    // The menu switched on comes back at once, for the view's width.
    EXPECT_EQ(frameHost.selectedMenus, (std::vector<std::pair<int, bool>>{{192, true}}));
}

TEST_F(OptionsTest, CancelChangesNothingButTheFrameIsTopmostAgain) {
    BoardTestAccess::SettingsOf(board).Visibility = kVisibilityAlwaysOnTop;
    const Settings before = board.settings();
    int busyDuringSheet = -1;
    viewHost.duringDialog = [&] {
        busyDuringSheet = board.IsBusy();
        // A tick through the sheet's message loop does nothing.
        desk.ResetQueryCounts();
        board.OnTimer(BoardTestAccess::TimerIdOf(board));
        EXPECT_EQ(desk.QueryCount(test::Query::kGetForegroundWindow), 0);
    };
    board.OnCommand(ID_PROPERTIES);  // no editPages: Cancel
    EXPECT_EQ(viewHost.sheets, 1);
    EXPECT_EQ(busyDuringSheet, 1);
    EXPECT_FALSE(board.IsBusy());
    EXPECT_EQ(board.settings(), before);
    EXPECT_EQ(desk.Actions(), (Actions{ZOrder(kHwndTopmost)}));
    // The pages opened with the record's values.
    ASSERT_EQ(viewHost.shownPages.size(), 1u);
    EXPECT_EQ(viewHost.shownPages[0].settings, SettingsPageValues::From(before));
    EXPECT_EQ(viewHost.shownPages[0].excludedApps, "Program Manager");
}

// A command that arrives while the font dialog or the sheet is open (from the floating
// toolbar, say) is disabled and does nothing; the board stays busy until the dialog closes,
// so ticks stay out of the dialog.
TEST_F(OptionsTest, NoCommandRunsWhileADialogIsOpen) {
    Watch({"A", "B"});
    for (const unsigned dialog : {ID_SET_FONT, ID_PROPERTIES}) {
        BoardTestAccess::SelectionOf(board) = {"A"};
        Reset();
        bool busyAfterTheCommand = false;
        bool minimizeEnabled = true;
        viewHost.duringDialog = [&] {
            minimizeEnabled = board.QueryCommand(ID_WINDOWS_MINIMIZE).enabled;
            EXPECT_TRUE(board.OnCommand(ID_WINDOWS_MINIMIZE));  // the board's, refused
            board.OnCommand(ID_SELECT_ALL);
            busyAfterTheCommand = board.IsBusy();
        };
        board.OnCommand(dialog);
        EXPECT_FALSE(minimizeEnabled) << dialog;
        EXPECT_TRUE(busyAfterTheCommand) << dialog;
        EXPECT_FALSE(board.IsBusy()) << dialog;
        EXPECT_EQ(board.selection().SelectionList(), (Titles{"A"})) << dialog;
        for (const Action& action : desk.Actions()) {
            EXPECT_NE(action.kind, test::ActionKind::kPostSysCommand) << dialog;
        }
        EXPECT_TRUE(board.QueryCommand(ID_WINDOWS_MINIMIZE).enabled) << dialog;
    }
}

TEST_F(OptionsTest, SetFontSendsTheFrameDownAndTakesTheChosenFont) {
    BoardTestAccess::SettingsOf(board).Visibility = kVisibilitySmart;
    FontDescription chosen = kDefaultFont;
    chosen.height = -20;
    chosen.weight = 700;
    std::strcpy(chosen.faceName, "Tahoma");
    viewHost.chosenFont = chosen;
    int busyDuringDialog = -1;
    viewHost.duringDialog = [&] { busyDuringDialog = board.IsBusy(); };
    viewHost.fonts.clear();
    BoardTestAccess::SetFitPending(board, false);
    board.OnCommand(ID_SET_FONT);
    EXPECT_EQ(busyDuringDialog, 1);
    EXPECT_FALSE(board.IsBusy());
    EXPECT_EQ(board.font(), chosen);
    EXPECT_EQ(viewHost.fonts, (std::vector<FontDescription>{chosen}));
    EXPECT_TRUE(board.placement().FitPending());  // Auto Size: the next paint fits the frame
    EXPECT_EQ(viewHost.invalidatedAll, 1);
    EXPECT_EQ(desk.Actions(), (Actions{ZOrder(kHwndBottom), ZOrder(kHwndTopmost)}));
}

TEST_F(OptionsTest, SetFontCancelledOrUnusableChangesNothingVisible) {
    BoardTestAccess::SettingsOf(board).Visibility = kVisibilityNormal;
    const FontDescription before = board.font();
    viewHost.fonts.clear();
    board.OnCommand(ID_SET_FONT);  // cancelled
    EXPECT_EQ(board.font(), before);
    EXPECT_TRUE(viewHost.fonts.empty());
    EXPECT_EQ(desk.Actions(), (Actions{ZOrder(kHwndBottom)}));  // and stays at the bottom

    FontDescription broken = kDefaultFont;
    std::strcpy(broken.faceName, "No Such Face");
    viewHost.chosenFont = broken;
    viewHost.fontCreates = false;
    BoardTestAccess::SettingsOf(board).Resize = 0;
    BoardTestAccess::SetFitPending(board, false);
    board.OnCommand(ID_SET_FONT);
    EXPECT_EQ(board.font(), broken);  // the setting is what the user chose
    EXPECT_EQ(viewHost.fonts.size(), 1u);
    EXPECT_EQ(viewHost.invalidatedAll, 0);
    EXPECT_TRUE(viewHost.messages.empty());
    EXPECT_FALSE(board.placement().FitPending());
}

}  // namespace
}  // namespace perch
