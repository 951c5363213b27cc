#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "res/resource.h"
#include "settings/colors_page.h"
#include "settings/excluded_apps_page.h"
#include "settings/properties.h"
#include "settings/settings_page.h"
#include "support/fake_dialog.h"

namespace perch {
namespace {

using test::FakeDialog;

// Fills the Settings page from the values into `read`, ready to be read back.
void FillPage(SettingsPageValues& values, FakeDialog& read) {
    FakeDialog fill(false);
    ExchangeSettingsPage(fill, values);
    read.texts = fill.texts;
    read.checks = fill.checks;
    read.selections = fill.selections;
}

TEST(SettingsPageTest, FillsFromTheRecordAndReadsBackUnchanged) {
    Settings record;
    record.Update = MillisecondsToUpdate(1500);
    record.NumChars = 0;
    SettingsPageValues values = SettingsPageValues::From(record);
    FakeDialog read(true);
    FillPage(values, read);
    EXPECT_EQ(read.texts[IDC_NUM_COLUMNS], "2");
    EXPECT_EQ(read.texts[IDC_UPDATE], "1.5");
    EXPECT_EQ(read.texts[IDC_NUM_CHARS], "0");
    EXPECT_EQ(read.selections[IDC_VISIBILITY], kVisibilitySmart);
    EXPECT_EQ(read.checks[IDC_SHOW_PATHS], 0);
    EXPECT_EQ(read.checks[IDC_PATHS_FIRST], 1);

    SettingsPageValues back = values;
    ExchangeSettingsPage(read, back);
    EXPECT_TRUE(read.reports.empty());
    EXPECT_EQ(back.Update, 1.5f);  // not the loaded 1.5000001: the board compares in ms
    back.Update = values.Update;
    EXPECT_EQ(back, values);
}

TEST(SettingsPageTest, OutOfRangeFlagsAndListsComeBackAsTheControlsShowThem) {
    Settings record;
    record.Boxes = 5;
    record.Menu = -1;
    record.Sort = 7;
    SettingsPageValues values = SettingsPageValues::From(record);
    FakeDialog read(true);
    FillPage(values, read);
    EXPECT_EQ(read.checks[IDC_SHOW_BOXES], 0);
    EXPECT_EQ(read.checks[IDC_SHOW_MENU], 0);
    EXPECT_EQ(read.selections[IDC_SORT], -1);
    ExchangeSettingsPage(read, values);
    EXPECT_EQ(values.Boxes, 0);
    EXPECT_EQ(values.Menu, 0);
    EXPECT_EQ(values.Sort, -1);  // no item chosen
}

struct FieldCase {
    int id;
    const char* text;
    const char* message;  // "" when the text is accepted
};

TEST(SettingsPageTest, EachFieldRefusesWithItsOwnMessageAndFocus) {
    const FieldCase cases[] = {
        {IDC_NUM_COLUMNS, "0", "Please enter an integer between 1 and 16."},
        {IDC_NUM_COLUMNS, "-1", "Please enter an integer between 1 and 16."},
        {IDC_NUM_COLUMNS, "17", "Please enter an integer between 1 and 16."},
        {IDC_NUM_COLUMNS, "", "Please enter a positive integer."},
        {IDC_NUM_COLUMNS, "two", "Please enter a positive integer."},
        {IDC_NUM_COLUMNS, "2 columns", "Please enter a positive integer."},
        {IDC_NUM_COLUMNS, " 16 ", ""},
        {IDC_UPDATE, "0.4", "Please enter a number between 0.5 and 5."},
        {IDC_UPDATE, "5.01", "Please enter a number between 0.5 and 5."},
        {IDC_UPDATE, "0", "Please enter a number between 0.5 and 5."},
        {IDC_UPDATE, "fast", "Please enter a number."},
        {IDC_UPDATE, "-0", "Please enter a number."},
        {IDC_UPDATE, "nan", "Please enter a number."},
        {IDC_UPDATE, "0.5", ""},
        {IDC_UPDATE, "5", ""},
        {IDC_NUM_CHARS, "61", "Please enter an integer between 0 and 60."},
        {IDC_NUM_CHARS, "-1", "Please enter an integer between 0 and 60."},
        {IDC_NUM_CHARS, "x", "Please enter an integer."},
        {IDC_NUM_CHARS, "0", ""},
        {IDC_NUM_CHARS, "60", ""},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.id));
        SettingsPageValues values = SettingsPageValues::From(Settings{});
        FakeDialog read(true);
        FillPage(values, read);
        read.texts[c.id] = c.text;
        ExchangeSettingsPage(read, values);
        if (*c.message == '\0') {
            EXPECT_TRUE(read.reports.empty());
            continue;
        }
        ASSERT_EQ(read.reports.size(), 1u);
        EXPECT_EQ(read.reports[0].id, c.id);
        EXPECT_EQ(read.reports[0].message, c.message);
        EXPECT_TRUE(read.reports[0].isEdit);
    }
}

TEST(SettingsPageTest, TheFirstFieldInExchangeOrderIsTheOneReported) {
    SettingsPageValues values = SettingsPageValues::From(Settings{});
    FakeDialog read(true);
    FillPage(values, read);
    read.texts[IDC_NUM_CHARS] = "99";
    read.texts[IDC_UPDATE] = "9";
    read.checks[IDC_SHOW_SPLASH] = 0;
    read.selections[IDC_SORT] = kSortFullTitle;
    ExchangeSettingsPage(read, values);
    ASSERT_EQ(read.reports.size(), 1u);
    EXPECT_EQ(read.reports[0].id, IDC_UPDATE);
    // Fields before the failing one have taken their new values.
    EXPECT_EQ(values.Splash, 0);
    EXPECT_EQ(values.Sort, kSortFullTitle);
    EXPECT_EQ(values.NumChars, 20);
}

TEST(ColorsPageTest, ListsShowTheTableDarkestFirst) {
    std::vector<ColorRef> sorted(kColorTable.begin(), kColorTable.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](ColorRef a, ColorRef b) { return CompareColors(a, b) < 0; });
    const std::vector<ColorRef> expected = {
        MakeColor(0, 0, 0),       MakeColor(0, 0, 127),     MakeColor(0, 127, 0),
        MakeColor(127, 0, 0),     MakeColor(0, 127, 127),   MakeColor(127, 0, 127),
        MakeColor(127, 127, 0),   MakeColor(0, 0, 255),     MakeColor(0, 255, 0),
        MakeColor(255, 0, 0),     MakeColor(127, 127, 127), MakeColor(0, 255, 255),
        MakeColor(255, 0, 255),   MakeColor(255, 255, 0),   MakeColor(192, 192, 192),
        MakeColor(255, 255, 255),
    };
    EXPECT_EQ(sorted, expected);
    for (const ColorRef a : kColorTable) {
        for (const ColorRef b : kColorTable) {
            EXPECT_EQ(CompareColors(a, b), -CompareColors(b, a));
            EXPECT_EQ(CompareColors(a, b) == 0, a == b);
        }
    }
    // The defaults are all in the table, so a fresh start shows a selection in every list.
    for (const ColorRef c : ColorsPageValues::From(Settings{}).colors) {
        EXPECT_NE(std::find(kColorTable.begin(), kColorTable.end(), c), kColorTable.end());
    }
    EXPECT_EQ(InverseColor(MakeColor(0, 0, 0)), MakeColor(255, 255, 255));
    EXPECT_EQ(InverseColor(MakeColor(0, 127, 192)), MakeColor(255, 128, 63));
}

TEST(ColorsPageTest, AListWithoutASelectionBlocksLeaving) {
    Settings record;
    record.TextColor = MakeColor(10, 20, 30);  // not in the table: no selection
    ColorsPageValues values = ColorsPageValues::From(record);
    const std::array<std::optional<ColorRef>, 4> untouched = {std::nullopt, record.BkgndColor,
                                                              record.HltColor, record.FocusColor};
    EXPECT_EQ(TakeSelectedColors(untouched, values), 0);
    EXPECT_EQ(values, ColorsPageValues::From(record));

    const ColorRef white = MakeColor(255, 255, 255);
    const ColorRef red = MakeColor(255, 0, 0);
    EXPECT_EQ(TakeSelectedColors({white, red, std::nullopt, std::nullopt}, values), 2);
    EXPECT_EQ(values.colors[ColorsPageValues::kText], white);
    EXPECT_EQ(values.colors[ColorsPageValues::kBackground], red);
    EXPECT_EQ(values.colors[ColorsPageValues::kHighlight], record.HltColor);

    EXPECT_EQ(TakeSelectedColors({white, red, red, white}, values), std::nullopt);
    EXPECT_EQ(values.colors[ColorsPageValues::kFocus], white);
}

TEST(ExcludedAppsPageTest, LinesAndStoredEntriesConvertBothWays) {
    EXPECT_EQ(ExcludedAppsToEdited("Program Manager"), "Program Manager");
    EXPECT_EQ(ExcludedAppsToStored("Microsoft Word\r\nMicrosoft Excel"),
              "Microsoft Word||Microsoft Excel");
    EXPECT_EQ(ExcludedAppsToStored("Word\r\n"), "Word||");  // Enter after the last line
    // "||" typed on one line is two entries, on two lines the next time.
    const std::string stored = ExcludedAppsToStored("Word||Excel\r\nNotes");
    EXPECT_EQ(stored, "Word||Excel||Notes");
    EXPECT_EQ(ExcludedAppsToEdited(stored), "Word\r\nExcel\r\nNotes");
    EXPECT_EQ(ExcludedAppsToEdited("a|||b"), "a\r\n|b");
    EXPECT_EQ(ExcludedAppsToStored("a\r\r\n\nb"), "a\r||\nb");  // lone CR and LF stay
    EXPECT_EQ(ExcludedAppsToEdited(""), "");
}

TEST(ExcludedAppsPageTest, TheEditHoldsAtMost150Characters) {
    const std::string longList =
        ExcludedAppsToEdited(std::string(100, 'a') + "||" + std::string(49, 'b'));  // 151
    FakeDialog fill(false);
    std::string edited = longList;
    ExchangeExcludedAppsPage(fill, edited);
    EXPECT_EQ(fill.texts[IDC_EXCLUDED_APPS], longList);  // opens in full
    EXPECT_EQ(fill.limits[IDC_EXCLUDED_APPS], kMaxExcludedChars);

    FakeDialog read(true);
    read.texts[IDC_EXCLUDED_APPS] = longList;
    ExchangeExcludedAppsPage(read, edited);
    ASSERT_EQ(read.reports.size(), 1u);
    EXPECT_EQ(read.reports[0].message, "Please enter no more than 150 characters.");
    EXPECT_EQ(read.reports[0].id, IDC_EXCLUDED_APPS);

    FakeDialog shorter(true);
    shorter.texts[IDC_EXCLUDED_APPS] = longList.substr(1);
    ExchangeExcludedAppsPage(shorter, edited);
    EXPECT_TRUE(shorter.reports.empty());
    EXPECT_EQ(edited, longList.substr(1));
}

}  // namespace
}  // namespace perch
