#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/memory_profile.h"

namespace perch {
namespace {

using test::MemoryProfile;
using Access = MemoryProfile::Access;
using Write = MemoryProfile::Write;
using Writes = std::vector<Write>;

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

FontDescription FontNamed(const char* face, std::int32_t height, std::int32_t weight) {
    FontDescription font;
    font.height = height;
    font.weight = weight;
    std::strncpy(font.faceName, face, sizeof font.faceName - 1);
    return font;
}

class RegistryStoreTest : public ::testing::Test {
  protected:
    // Start-up as the board does it, then forget what start-up read.
    void Start() {
        store.LoadSettingsAtStartup(font, storedFont, settings, stored);
        profile.ClearLog();
    }
    void Exit(RegistryStore::FrameRect frame = {10, 10, 20, 20}) {
        store.SaveSettingsAtExit(frame, font, storedFont, settings, stored);
    }
    std::int32_t StoredInt(std::string_view section, std::string_view name) const {
        const auto value = profile.Get(section, name);
        return value ? std::get<std::int32_t>(*value) : -12345;
    }

    MemoryProfile profile;
    RegistryStore store{profile};
    FontDescription font;
    FontDescription storedFont;
    Settings settings;
    Settings stored;
};

TEST_F(RegistryStoreTest, FirstStartReadsEveryValueInOrderAndWritesNothing) {
    // Garbage the loader must overwrite.
    settings.Menu = 7;
    settings.ExcludedApps = "old";
    settings.FocusColor = 0;
    store.LoadSettingsAtStartup(font, storedFont, settings, stored);

    EXPECT_EQ(font, kDefaultFont);
    EXPECT_EQ(storedFont, font);
    Settings expected;
    expected.Update = MillisecondsToUpdate(1500);
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(UpdateToMilliseconds(settings.Update), 1500);
    EXPECT_EQ(stored, settings);

    const std::vector<Access> reads = {
        {"Font", "Height"},       {"Font", "Weight"},         {"Font", "Italic"},
        {"Font", "Underline"},    {"Font", "PitchAndFamily"}, {"Font", "FaceName"},
        {"Options", "Boxes"},     {"Options", "Menu"},        {"Options", "Auto"},
        {"Options", "SmartPos"},  {"Options", "Resize"},      {"Options", "First"},
        {"Options", "Paths"},     {"Options", "Splash"},      {"Options", "Focus"},
        {"Options", "Save"},      {"Options", "NumColumns"},  {"Options", "NumRows"},
        {"Options", "NumChars"},  {"Options", "Update"},      {"Options", "Capitals"},
        {"Options", "Sort"},      {"Options", "Visibility"},  {"Options", "Excluded Apps"},
        {"Position", "X Pos"},    {"Position", "Y Pos"},      {"Position", "X Size"},
        {"Position", "Y Size"},   {"Colors", "Red Text"},     {"Colors", "Green Text"},
        {"Colors", "Blue Text"},  {"Colors", "Red Bkgnd"},    {"Colors", "Green Bkgnd"},
        {"Colors", "Blue Bkgnd"}, {"Colors", "Red Hlt"},      {"Colors", "Green Hlt"},
        {"Colors", "Blue Hlt"},   {"Colors", "Red Focus"},    {"Colors", "Green Focus"},
        {"Colors", "Blue Focus"},
    };
    EXPECT_EQ(profile.Reads(), reads);
    EXPECT_TRUE(profile.Writes().empty());
    EXPECT_EQ(profile.ValueCount(), 0u);
    for (const char* section : {"Font", "Options", "Position", "Colors"}) {
        EXPECT_TRUE(profile.HasSection(section)) << section;
    }
}

TEST_F(RegistryStoreTest, EveryValueLoadsIntoItsOwnField) {
    // Distinct values catch a name paired with the wrong field.
    const char* names[] = {"Boxes",    "Menu",     "Auto",  "SmartPos",  "Resize",     "First",
                           "Paths",    "Splash",   "Focus", "Save",      "NumColumns", "NumRows",
                           "NumChars", "Capitals", "Sort",  "Visibility"};
    std::int32_t value = 101;
    for (const char* name : names) {
        profile.Set("Options", name, value++);
    }
    profile.Set("Options", "Update", 2500);
    profile.Set("Options", "Excluded Apps", std::string("Clock||Notepad"));
    profile.Set("Position", "X Pos", 201);
    profile.Set("Position", "Y Pos", 202);
    profile.Set("Position", "X Size", 203);
    profile.Set("Position", "Y Size", 204);
    const char* colors[] = {"Text", "Bkgnd", "Hlt", "Focus"};
    value = 1;
    for (const char* color : colors) {
        for (const char* component : {"Red ", "Green ", "Blue "}) {
            profile.Set("Colors", std::string(component) + color, value++);
        }
    }
    profile.Set("Font", "Height", -20);
    profile.Set("Font", "Weight", 700);
    profile.Set("Font", "Italic", 1);
    profile.Set("Font", "Underline", 2);
    profile.Set("Font", "PitchAndFamily", 3);
    profile.Set("Font", "FaceName", std::string("Arial"));

    store.LoadSettingsAtStartup(font, storedFont, settings, stored);

    EXPECT_EQ(settings.Boxes, 101);
    EXPECT_EQ(settings.Menu, 102);
    EXPECT_EQ(settings.Auto, 103);
    EXPECT_EQ(settings.SmartPos, 104);
    EXPECT_EQ(settings.Resize, 105);
    EXPECT_EQ(settings.First, 106);
    EXPECT_EQ(settings.Paths, 107);
    EXPECT_EQ(settings.Splash, 108);
    EXPECT_EQ(settings.Focus, 109);
    EXPECT_EQ(settings.Save, 110);
    EXPECT_EQ(settings.NumColumns, 111);
    EXPECT_EQ(settings.NumRows, 112);
    EXPECT_EQ(settings.NumChars, 113);
    EXPECT_EQ(settings.Capitals, 114);
    EXPECT_EQ(settings.Sort, 115);
    EXPECT_EQ(settings.Visibility, 116);
    EXPECT_EQ(settings.Update, 2500 * 0.001f);
    EXPECT_EQ(settings.ExcludedApps, "Clock||Notepad");
    EXPECT_EQ(settings.XPos, 201);
    EXPECT_EQ(settings.YPos, 202);
    EXPECT_EQ(settings.XSize, 203);
    EXPECT_EQ(settings.YSize, 204);
    EXPECT_EQ(settings.TextColor, MakeColor(1, 2, 3));
    EXPECT_EQ(settings.BkgndColor, MakeColor(4, 5, 6));
    EXPECT_EQ(settings.HltColor, MakeColor(7, 8, 9));
    EXPECT_EQ(settings.FocusColor, MakeColor(10, 11, 12));
    EXPECT_EQ(stored, settings);

    FontDescription expectedFont = FontNamed("Arial", -20, 700);
    expectedFont.italic = 1;
    expectedFont.underline = 2;
    expectedFont.pitchAndFamily = 3;
    EXPECT_EQ(font, expectedFont);
    EXPECT_EQ(storedFont, font);
}

TEST_F(RegistryStoreTest, PositionComesFromItsOwnSectionWhateverTheOptionsSection) {
    profile.Set("Other", "X Pos", 1);
    profile.Set("Position", "X Pos", 2);
    profile.Set("Other", "Menu", 0);
    store.LoadOptions("Other", settings);
    EXPECT_EQ(settings.XPos, 2);
    EXPECT_EQ(settings.Menu, 0);
    EXPECT_FALSE(profile.HasSection("Options"));

    profile.ClearLog();
    stored = settings;
    settings.XPos = 3;
    settings.Menu = 1;
    store.SaveOptions("Other", settings, stored);
    EXPECT_EQ(profile.Writes(), (Writes{{"Other", "Menu", 1}, {"Position", "X Pos", 3}}));
}

TEST_F(RegistryStoreTest, UnchangedExitWritesOnlyPositionAndRowsOnceEach) {
    Start();
    settings.NumRows = 3;  // every paint recomputes it
    // Same left and top as stored; only the width differs.
    Exit({10, 10, 330, 20});
    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "NumRows", 3}, {"Position", "X Size", 320}}));
    EXPECT_EQ(stored, settings);

    // A second save in the same run (log-off query, then close) has nothing left to write.
    profile.ClearLog();
    Exit({10, 10, 330, 20});
    EXPECT_TRUE(profile.Writes().empty());

    // A moved frame writes all four position values.
    Exit({-5, 700, 100, 1000});
    EXPECT_EQ(profile.Writes(), (Writes{{"Position", "X Pos", -5},
                                        {"Position", "Y Pos", 700},
                                        {"Position", "X Size", 105},
                                        {"Position", "Y Size", 300}}));
}

TEST_F(RegistryStoreTest, SwitchingSaveOffWritesOnlySaveAndKeepsTheRest) {
    Start();
    settings.Save = 0;
    settings.Menu = 0;
    settings.NumRows = 4;
    settings.ExcludedApps = "Clock";
    settings.TextColor = MakeColor(1, 2, 3);
    font.height = -30;
    Exit({300, 300, 600, 600});

    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "Save", 0}}));
    // The rectangle is not taken, so the frame starts at its old place next time.
    EXPECT_EQ(settings.XPos, 10);
    EXPECT_EQ(settings.XSize, 10);

    // Next run: saving stays off and the other values kept their stored state.
    Settings next;
    FontDescription nextFont;
    FontDescription nextStoredFont;
    Settings nextStored;
    store.LoadSettingsAtStartup(nextFont, nextStoredFont, next, nextStored);
    EXPECT_EQ(next.Save, 0);
    EXPECT_EQ(next.Menu, 1);
    EXPECT_EQ(next.ExcludedApps, "Program Manager");
    EXPECT_EQ(nextFont, kDefaultFont);

    // With saving still off and nothing changed, an exit writes nothing.
    profile.ClearLog();
    store.SaveSettingsAtExit({0, 0, 1, 1}, nextFont, nextStoredFont, next, nextStored);
    EXPECT_TRUE(profile.Writes().empty());
}

TEST_F(RegistryStoreTest, EverythingChangedIsWrittenInOrder) {
    profile.Set("Options", "Save", 0);
    Start();
    font = FontNamed("Courier New", -13, 700);
    font.italic = 1;
    font.underline = 1;
    font.pitchAndFamily = 49;
    font.width = 9;  // not persisted
    settings.Save = 1;
    settings.Boxes = 0;
    settings.Menu = 0;
    settings.Auto = 1;
    settings.SmartPos = 0;
    settings.Resize = 0;
    settings.First = 0;
    settings.Paths = 1;
    settings.Splash = 0;
    settings.Focus = 0;
    settings.NumColumns = 5;
    settings.NumRows = 6;
    settings.NumChars = 0;
    settings.Update = 25 * 0.1f;
    settings.Capitals = kCaseUpper;
    settings.Sort = kSortFullTitle;
    settings.Visibility = kVisibilityAlwaysOnTop;
    settings.ExcludedApps = "Clock||Notepad";
    settings.TextColor = MakeColor(1, 2, 3);
    settings.BkgndColor = MakeColor(4, 5, 6);
    settings.HltColor = MakeColor(7, 8, 9);
    settings.FocusColor = MakeColor(10, 11, 12);
    Exit({100, 200, 400, 260});

    const Writes expected = {
        {"Font", "Height", -13},        {"Font", "Weight", 700},
        {"Font", "Italic", 1},          {"Font", "Underline", 1},
        {"Font", "PitchAndFamily", 49}, {"Font", "FaceName", std::string("Courier New")},
        {"Options", "Save", 1},         {"Options", "Boxes", 0},
        {"Options", "Menu", 0},         {"Options", "Auto", 1},
        {"Options", "SmartPos", 0},     {"Options", "Resize", 0},
        {"Options", "First", 0},        {"Options", "Paths", 1},
        {"Options", "Splash", 0},       {"Options", "Focus", 0},
        {"Options", "NumColumns", 5},   {"Options", "NumRows", 6},
        {"Options", "NumChars", 0},     {"Options", "Update", 2500},
        {"Options", "Capitals", 2},     {"Options", "Sort", 2},
        {"Options", "Visibility", 2},   {"Position", "X Pos", 100},
        {"Position", "Y Pos", 200},     {"Position", "X Size", 300},
        {"Position", "Y Size", 60},     {"Options", "Excluded Apps", std::string("Clock||Notepad")},
        {"Colors", "Red Text", 1},      {"Colors", "Green Text", 2},
        {"Colors", "Blue Text", 3},     {"Colors", "Red Bkgnd", 4},
        {"Colors", "Green Bkgnd", 5},   {"Colors", "Blue Bkgnd", 6},
        {"Colors", "Red Hlt", 7},       {"Colors", "Green Hlt", 8},
        {"Colors", "Blue Hlt", 9},      {"Colors", "Red Focus", 10},
        {"Colors", "Green Focus", 11},  {"Colors", "Blue Focus", 12},
    };
    EXPECT_EQ(profile.Writes(), expected);
    EXPECT_EQ(storedFont, font);  // the whole description, unpersisted fields too
    EXPECT_EQ(stored, settings);

    // What was written reads back as the same record.
    Settings next;
    FontDescription nextFont;
    FontDescription nextStoredFont;
    Settings nextStored;
    store.LoadSettingsAtStartup(nextFont, nextStoredFont, next, nextStored);
    font.width = 0;
    EXPECT_EQ(nextFont, font);
    EXPECT_EQ(UpdateToMilliseconds(next.Update), 2500);
    next.Update = settings.Update;
    EXPECT_EQ(next, settings);
}

TEST_F(RegistryStoreTest, OnlyChangedColoursAreWrittenRedGreenBlue) {
    Start();
    settings.BkgndColor = MakeColor(192, 0, 192);  // one component changed
    settings.FocusColor = MakeColor(0, 0, 0);
    store.SaveColors("Colors", settings, stored);
    EXPECT_EQ(profile.Writes(), (Writes{{"Colors", "Red Bkgnd", 192},
                                        {"Colors", "Green Bkgnd", 0},
                                        {"Colors", "Blue Bkgnd", 192},
                                        {"Colors", "Red Focus", 0},
                                        {"Colors", "Green Focus", 0},
                                        {"Colors", "Blue Focus", 0}}));
    // SaveColors takes the whole record into the stored copy, not only the colours.
    settings.Menu = 0;
    settings.ExcludedApps = "x";
    store.SaveColors("Colors", settings, stored);
    EXPECT_EQ(stored, settings);
}

TEST_F(RegistryStoreTest, SaveOptionsLeavesTheStoredCopyForSaveColors) {
    // If the options save took the copy, the colours saved after it would look unchanged.
    Start();
    settings.Menu = 0;
    settings.HltColor = MakeColor(255, 0, 0);
    Exit();
    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "Menu", 0},
                                        {"Colors", "Red Hlt", 255},
                                        {"Colors", "Green Hlt", 0},
                                        {"Colors", "Blue Hlt", 0}}));
}

TEST_F(RegistryStoreTest, UpdateIsStoredRoundedAndReadsBackWithoutRewrite) {
    Start();
    for (int tenths = 5; tenths <= 50; ++tenths) {
        SCOPED_TRACE(tenths);
        // As the Settings page makes it: tenths times the float 0.1, just off n / 10.
        settings.Update = static_cast<float>(tenths) * 0.1f;
        profile.ClearLog();
        store.SaveOptions("Options", settings, stored);
        ASSERT_EQ(profile.Writes(), (Writes{{"Options", "Update", tenths * 100}}));

        Settings loaded;
        store.LoadOptions("Options", loaded);
        EXPECT_NEAR(loaded.Update, tenths / 10.0, 1e-6);
        EXPECT_EQ(UpdateToMilliseconds(loaded.Update), tenths * 100);

        // Loaded and stored alike, the value is not written again.
        profile.ClearLog();
        store.SaveOptions("Options", loaded, loaded);
        EXPECT_TRUE(profile.Writes().empty());
    }
}

TEST_F(RegistryStoreTest, UpdateIsComparedAsFloats) {
    Start();
    // 1400 ms loads as 1.4000001f; the page's 1.4 is 1.3999999f. Same milliseconds, but
    // the floats differ, and a changed float is written.
    profile.Set("Options", "Update", 1400);
    store.LoadOptions("Options", stored);
    settings = stored;
    settings.Update = 14 * 0.1f;
    ASSERT_NE(settings.Update, stored.Update);
    profile.ClearLog();
    store.SaveOptions("Options", settings, stored);
    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "Update", 1400}}));
}

TEST_F(RegistryStoreTest, OutOfRangeIntegersLoadUnchangedAndAreNotRewritten) {
    profile.Set("Options", "NumColumns", 0);
    profile.Set("Options", "Visibility", 7);
    profile.Set("Options", "NumChars", -5);
    profile.Set("Options", "NumRows", kIntMax);
    profile.Set("Options", "Menu", kIntMin);
    profile.Set("Options", "Update", kIntMin);
    profile.Set("Position", "X Size", kIntMin);
    profile.Set("Position", "Y Pos", kIntMax);
    Start();
    EXPECT_EQ(settings.NumColumns, 0);
    EXPECT_EQ(settings.Visibility, 7);
    EXPECT_EQ(settings.NumChars, -5);
    EXPECT_EQ(settings.NumRows, kIntMax);
    EXPECT_EQ(settings.Menu, kIntMin);
    EXPECT_EQ(settings.Update, static_cast<float>(kIntMin) * 0.001f);
    EXPECT_EQ(settings.XSize, kIntMin);
    EXPECT_EQ(settings.YPos, kIntMax);

    store.SaveOptions("Options", settings, stored);
    EXPECT_TRUE(profile.Writes().empty());
}

TEST_F(RegistryStoreTest, ValuesOfTheWrongTypeReadAsDefaultsAndSurvive) {
    profile.Set("Options", "Menu", std::string("0"));
    profile.Set("Options", "Excluded Apps", 5);
    profile.Set("Options", "Update", std::string("3000"));
    profile.Set("Font", "FaceName", 12);
    profile.Set("Font", "Weight", std::string("700"));
    profile.Set("Colors", "Red Text", std::string("255"));
    Start();
    EXPECT_EQ(settings.Menu, 1);
    EXPECT_EQ(settings.ExcludedApps, "Program Manager");
    EXPECT_EQ(UpdateToMilliseconds(settings.Update), 1500);
    EXPECT_EQ(settings.TextColor, MakeColor(0, 0, 0));
    EXPECT_EQ(font, kDefaultFont);

    Exit();
    EXPECT_TRUE(profile.Writes().empty());
    EXPECT_EQ(profile.Get("Options", "Menu"), MemoryProfile::Value(std::string("0")));
    EXPECT_EQ(profile.Get("Font", "FaceName"), MemoryProfile::Value(12));
}

TEST_F(RegistryStoreTest, BytesAreTakenFromTheLowByte) {
    profile.Set("Font", "Italic", 257);
    profile.Set("Font", "Underline", -1);
    profile.Set("Font", "PitchAndFamily", 0x1234);
    profile.Set("Colors", "Red Text", 256 + 12);
    profile.Set("Colors", "Green Text", -1);
    profile.Set("Colors", "Blue Text", kIntMin);
    profile.Set("Colors", "Red Focus", 0x100);
    profile.Set("Colors", "Blue Focus", kIntMax);
    Start();
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.underline, 255);
    EXPECT_EQ(font.pitchAndFamily, 0x34);
    EXPECT_EQ(settings.TextColor, MakeColor(12, 255, 0));
    EXPECT_EQ(settings.FocusColor, MakeColor(0, 255, 255));

    // Written back, a byte is its value 0 to 255.
    font.italic = 0;
    font.underline = 200;
    store.SaveFont("Font", font, storedFont);
    EXPECT_EQ(profile.Writes(), (Writes{{"Font", "Italic", 0}, {"Font", "Underline", 200}}));
}

TEST_F(RegistryStoreTest, FaceNameKeepsAtMost31CharactersAndNoStaleBytes) {
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    std::memset(font.faceName, 'x', sizeof font.faceName);  // no terminator at all
    profile.Set("Font", "FaceName", forty);
    store.LoadFont("Font", font);
    EXPECT_EQ(std::string(font.faceName), forty.substr(0, 31));

    for (const std::string& name : {std::string(31, 'q'), std::string(32, 'q'), std::string()}) {
        SCOPED_TRACE(name.size());
        std::memset(font.faceName, 'x', sizeof font.faceName);
        profile.Set("Font", "FaceName", name);
        store.LoadFont("Font", font);
        char expected[FontDescription::kFaceSize] = {};
        std::memcpy(expected, name.data(), std::min<std::size_t>(name.size(), 31));
        EXPECT_EQ(std::memcmp(font.faceName, expected, sizeof expected), 0);
    }

    // Other scripts: 31 whole characters, whatever their length in bytes.
    std::string cyrillic;
    for (int i = 0; i < 40; ++i) {
        cyrillic += "\xD0\x96";  // Ж
    }
    profile.Set("Font", "FaceName", cyrillic);
    store.LoadFont("Font", font);
    EXPECT_EQ(std::string(font.faceName), cyrillic.substr(0, 62));
    const std::string cjk = "\xE6\x96\x87\xE6\xB3\x89\xE9\xA9\x9B";  // 文泉驛
    profile.Set("Font", "FaceName", cjk + " Micro Hei");
    store.LoadFont("Font", font);
    EXPECT_EQ(std::string(font.faceName), cjk + " Micro Hei");
    // Saved as it was loaded: nothing to write; a changed name is written whole.
    FontDescription loaded = font;
    const std::size_t writesBefore = profile.Writes().size();
    store.SaveFont("Font", font, loaded);
    EXPECT_EQ(profile.Writes().size(), writesBefore);
    std::strcpy(font.faceName, "\xE5\xAE\x8B\xE4\xBD\x93");  // 宋体
    store.SaveFont("Font", font, loaded);
    EXPECT_EQ(profile.Get("Font", "FaceName"),
              MemoryProfile::Value(std::string("\xE5\xAE\x8B\xE4\xBD\x93")));
}

TEST_F(RegistryStoreTest, ExcludedAppsInOtherScriptsRoundTrip) {
    const std::string list = "Program Manager||\xD0\xA0\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBA\xD1\x82\xD0\xBE\xD1\x80";
    profile.Set("Options", "Excluded Apps", list);
    Start();
    EXPECT_EQ(settings.ExcludedApps, list);
    // Unchanged, nothing is written; another entry in Japanese is written whole.
    profile.ClearLog();
    store.SaveOptions("Options", settings, stored);
    EXPECT_TRUE(profile.Writes().empty());
    settings.ExcludedApps = list + "||\xE7\xB7\xA8\xE9\x9B\x86";
    store.SaveOptions("Options", settings, stored);
    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "Excluded Apps", settings.ExcludedApps}}));
    Settings next;
    Settings nextStored;
    FontDescription nextFont;
    FontDescription nextStoredFont;
    RegistryStore(profile).LoadSettingsAtStartup(nextFont, nextStoredFont, next, nextStored);
    EXPECT_EQ(next.ExcludedApps, settings.ExcludedApps);
}

TEST_F(RegistryStoreTest, FaceNamesCompareExactlyUpToTheirEnd) {
    Start();
    std::strcpy(storedFont.faceName, "Arial");
    font = storedFont;
    // Bytes after the terminator are not part of the name.
    std::memcpy(storedFont.faceName + 6, "junk", 4);
    store.SaveFont("Font", font, storedFont);
    EXPECT_TRUE(profile.Writes().empty());

    std::strcpy(font.faceName, "arial");
    store.SaveFont("Font", font, storedFont);
    EXPECT_EQ(profile.Writes(), (Writes{{"Font", "FaceName", std::string("arial")}}));

    // A name filling the whole field ends at the field's end.
    profile.ClearLog();
    std::memset(font.faceName, 'w', sizeof font.faceName);
    store.SaveFont("Font", font, storedFont);
    EXPECT_EQ(profile.Writes(),
              (Writes{{"Font", "FaceName", std::string(FontDescription::kFaceSize, 'w')}}));
}

// A damaged height at start-up, then a font chosen in Set font and saved: the font is
// written whole, so the next start has the chosen font and nothing of the one before.
TEST_F(RegistryStoreTest, AFontChosenAfterADamagedHeightIsSavedWhole) {
    profile.Set("Font", "Height", 0);
    profile.Set("Font", "Weight", 700);
    profile.Set("Font", "Italic", 1);
    profile.Set("Font", "FaceName", std::string("Old Face"));
    Start();
    EXPECT_EQ(font.height, 0);  // the setting stops at the damaged height

    font = FontNamed("New Face", -12, 400);  // regular, not italic
    Exit();
    FontDescription next;
    FontDescription nextStored;
    Settings nextSettings;
    Settings nextStoredSettings;
    store.LoadSettingsAtStartup(next, nextStored, nextSettings, nextStoredSettings);
    EXPECT_EQ(next.height, -12);
    EXPECT_EQ(next.weight, 400);
    EXPECT_EQ(next.italic, 0);
    EXPECT_STREQ(next.faceName, "New Face");
}

TEST_F(RegistryStoreTest, StoredHeightZeroLeavesTheFontAlone) {
    font = FontNamed("Old Face", -9, 300);
    font.italic = 1;
    const FontDescription before = font;
    profile.Set("Font", "Height", 0);
    profile.Set("Font", "Weight", 700);
    profile.Set("Font", "FaceName", std::string("New Face"));
    store.LoadFont("Font", font);
    FontDescription expected = before;
    expected.height = 0;
    EXPECT_EQ(font, expected);
    EXPECT_EQ(profile.Reads(), (std::vector<Access>{{"Font", "Height"}}));

    // Kept at 0, the font is not rewritten, whatever else changed.
    storedFont = font;
    font.weight = 900;
    std::strcpy(font.faceName, "Other");
    profile.ClearLog();
    store.SaveFont("Font", font, storedFont);
    EXPECT_TRUE(profile.Writes().empty());
    EXPECT_EQ(storedFont, font);

    // A height that became 0 is written alone, and the copy is taken all the same.
    storedFont = FontNamed("Arial", -11, 400);
    font.height = 0;
    store.SaveFont("Font", font, storedFont);
    EXPECT_EQ(profile.Writes(), (Writes{{"Font", "Height", 0}}));
    EXPECT_EQ(storedFont, font);
}

TEST_F(RegistryStoreTest, ExcludedAppsOfAnyLengthLoadsWholeAndComparesExactly) {
    Start();
    settings.ExcludedApps = "program manager";  // case alone differs
    Exit();
    EXPECT_EQ(profile.Writes(),
              (Writes{{"Options", "Excluded Apps", std::string("program manager")}}));

    std::string longList;
    while (longList.size() < 10000) {
        longList += "Application " + std::to_string(longList.size()) + "||";
    }
    longList.resize(10000);
    profile.Set("Options", "Excluded Apps", longList);
    store.LoadOptions("Options", settings);
    EXPECT_EQ(settings.ExcludedApps, longList);

    profile.ClearLog();
    settings.ExcludedApps.back() = '!';
    Exit();
    EXPECT_EQ(profile.Writes(), (Writes{{"Options", "Excluded Apps", settings.ExcludedApps}}));
}

TEST_F(RegistryStoreTest, FailedWritesStillUpdateTheStoredCopy) {
    Start();
    profile.SetWritesFail(true);
    settings.Menu = 0;
    font.weight = 700;
    Exit();
    EXPECT_EQ(profile.Writes(), (Writes{{"Font", "Weight", 700}, {"Options", "Menu", 0}}));
    EXPECT_FALSE(profile.Get("Options", "Menu").has_value());
    EXPECT_EQ(stored, settings);
    EXPECT_EQ(storedFont, font);
}

TEST_F(RegistryStoreTest, ExtremeFrameRectangleDoesNotOverflow) {
    Start();
    Exit({kIntMin, kIntMin, kIntMax, kIntMax});
    EXPECT_EQ(settings.XSize, kIntMax);
    EXPECT_EQ(settings.YSize, kIntMax);
    Exit({kIntMax, 0, kIntMin, 0});
    EXPECT_EQ(settings.XSize, kIntMin);
    EXPECT_EQ(StoredInt("Position", "X Size"), kIntMin);
}

}  // namespace
}  // namespace perch
