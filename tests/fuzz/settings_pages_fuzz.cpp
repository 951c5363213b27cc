// The rules of the properties sheet's pages on arbitrary input: the number readers of data
// exchange, the Settings page read back from what it was filled with and read from any
// field texts, and the Excluded Apps page's two forms of the exclusion list. The first
// byte picks which.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "framework/data_exchange.h"
#include "fuzz/fuzz_input.h"
#include "res/resource.h"
#include "settings/excluded_apps_page.h"
#include "settings/settings.h"
#include "settings/settings_page.h"
#include "support/fake_dialog.h"

namespace {

using framework::FormatMessageText;
using framework::FormatRealField;
using framework::ParseRealField;
using framework::ParseSignedField;
using framework::ParseUnsignedField;
using perch::SettingsPageValues;
using perch::fuzz::FuzzInput;
using perch::test::FakeDialog;

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

const std::string kColumnsRange = FormatMessageText(framework::kMsgIntegerRange, "1", "16");
const std::string kUpdateRange = FormatMessageText(framework::kMsgNumberRange, "0.5", "5");
const std::string kCharsRange = FormatMessageText(framework::kMsgIntegerRange, "0", "60");

// --- The number readers ---

void CheckNumberReaders(std::string_view text) {
    const std::optional<std::uint32_t> u = ParseUnsignedField(text);
    const std::optional<std::int32_t> s = ParseSignedField(text);
    const std::optional<float> r = ParseRealField(text);

    // Both whole-number readers accept the same texts.
    FUZZ_REQUIRE(u.has_value() == s.has_value());
    if (s) {
        const std::string shown = std::to_string(*s);
        FUZZ_REQUIRE(ParseSignedField(shown) == *s);
        FUZZ_REQUIRE(ParseSignedField(" \t" + shown + "\t ") == *s);
        FUZZ_REQUIRE(ParseUnsignedField(std::to_string(*u)) == *u);
        // Short of saturating, the unsigned reader negates modulo 2^32.
        if (*s != kIntMin && *s != kIntMax) {
            FUZZ_REQUIRE(*u == static_cast<std::uint32_t>(*s));
        }
        // A whole number other than 0 is a real number too, exactly while a float holds it.
        if (*s != 0) {
            FUZZ_REQUIRE(r.has_value());
            if (*s > -(1 << 24) && *s < (1 << 24)) {
                FUZZ_REQUIRE(*r == static_cast<float>(*s));
            }
        }
    }
    if (r) {
        FUZZ_REQUIRE(!std::isnan(*r));
        // What a field shows for the value reads back as (nearly) the value.
        if (std::isfinite(*r) && *r != 0.0f) {
            const std::string shown = FormatRealField(*r);
            FUZZ_REQUIRE(shown.size() <= framework::kNumberFieldChars);
            const std::optional<float> back = ParseRealField(shown);
            FUZZ_REQUIRE(back.has_value());
            FUZZ_REQUIRE(std::fabs(*back - *r) <= std::fabs(*r) * 1e-5f + 1e-44f);
        }
    }
}

// --- The Settings page ---

std::int32_t AsShown(std::int32_t check) {
    return check >= 0 && check <= 2 ? check : 0;
}

// Filled from a record, the page reads back the same values when they are in the page's
// ranges, and otherwise refuses the first field out of range.
void CheckFillAndReadBack(FuzzInput& input) {
    perch::Settings record;
    record.NumColumns = input.SmallOrAnyInt();
    record.Splash = input.SmallOrAnyInt();
    record.Menu = input.SmallOrAnyInt();
    record.SmartPos = input.SmallOrAnyInt();
    record.Paths = input.SmallOrAnyInt();
    record.Boxes = input.SmallOrAnyInt();
    record.First = input.SmallOrAnyInt();
    record.Resize = input.SmallOrAnyInt();
    record.Focus = input.SmallOrAnyInt();
    record.Capitals = input.SmallOrAnyInt();
    record.Sort = input.SmallOrAnyInt();
    record.Visibility = input.SmallOrAnyInt();
    // As loaded: whole milliseconds, mostly in the page's range.
    const std::int32_t ms =
        input.Bool() ? 500 + static_cast<std::int32_t>(input.Below(4501)) : input.Int32();
    record.Update = perch::MillisecondsToUpdate(ms);
    record.NumChars = input.SmallOrAnyInt();

    const SettingsPageValues original = SettingsPageValues::From(record);
    SettingsPageValues values = original;
    FakeDialog fill(false);
    perch::ExchangeSettingsPage(fill, values);
    FUZZ_REQUIRE(fill.reports.empty());

    FakeDialog read(true);
    read.texts = fill.texts;
    read.checks = fill.checks;
    read.selections = fill.selections;
    SettingsPageValues back = values;
    perch::ExchangeSettingsPage(read, back);

    const bool columnsOk = original.NumColumns >= 1 && original.NumColumns <= 16;
    const bool updateOk = ms >= 500 && ms <= 5000;
    const bool charsOk = original.NumChars >= 0 && original.NumChars <= 60;
    if (!columnsOk || !updateOk || !charsOk) {
        FUZZ_REQUIRE(read.reports.size() == 1);
        const FakeDialog::Report& report = read.reports[0];
        FUZZ_REQUIRE(report.isEdit);
        if (!columnsOk) {
            FUZZ_REQUIRE(report.id == IDC_NUM_COLUMNS && report.message == kColumnsRange);
        } else if (!updateOk) {
            FUZZ_REQUIRE(report.id == IDC_UPDATE && report.message == kUpdateRange);
        } else {
            FUZZ_REQUIRE(report.id == IDC_NUM_CHARS && report.message == kCharsRange);
        }
        return;
    }
    FUZZ_REQUIRE(read.reports.empty());
    FUZZ_REQUIRE(back.NumColumns == original.NumColumns);
    FUZZ_REQUIRE(back.NumChars == original.NumChars);
    // Not always the same float, but always the same milliseconds.
    FUZZ_REQUIRE(perch::UpdateToMilliseconds(back.Update) == ms);
    for (const auto field :
         {&SettingsPageValues::Splash, &SettingsPageValues::Menu, &SettingsPageValues::SmartPos,
          &SettingsPageValues::Paths, &SettingsPageValues::Boxes, &SettingsPageValues::First,
          &SettingsPageValues::Resize, &SettingsPageValues::Focus}) {
        FUZZ_REQUIRE(back.*field == AsShown(original.*field));
    }
    for (const auto field : {&SettingsPageValues::Capitals, &SettingsPageValues::Sort,
                             &SettingsPageValues::Visibility}) {
        const std::int32_t v = original.*field;
        FUZZ_REQUIRE(back.*field == (v >= 0 && v < fill.listSize ? v : -1));
    }
}

// Any field texts: the first field in exchange order that does not read is the one
// reported, the fields before it have taken their new values, those after it are left
// alone; when none fails, every value is in its range.
void CheckAnyFieldTexts(FuzzInput& input) {
    FakeDialog read(true);
    read.texts[IDC_NUM_COLUMNS] = input.ShortText(40);
    read.texts[IDC_UPDATE] = input.ShortText(40);
    read.texts[IDC_NUM_CHARS] = input.ShortText(40);
    const int checkIds[] = {IDC_SHOW_SPLASH, IDC_SHOW_MENU,   IDC_SMART_POS, IDC_SHOW_PATHS,
                            IDC_SHOW_BOXES,  IDC_PATHS_FIRST, IDC_AUTO_SIZE, IDC_SHOW_FOCUS};
    for (const int id : checkIds) {
        read.checks[id] = static_cast<int>(input.Below(3));
    }
    for (const int id : {IDC_CAPITALS, IDC_SORT, IDC_VISIBILITY}) {
        if (input.Bool()) {
            read.selections[id] = static_cast<int>(input.Below(4)) - 1;
        }
    }

    const SettingsPageValues original = SettingsPageValues::From(perch::Settings{});
    SettingsPageValues values = original;
    perch::ExchangeSettingsPage(read, values);

    const std::optional<std::uint32_t> columns = ParseUnsignedField(read.texts[IDC_NUM_COLUMNS]);
    const std::optional<float> update = ParseRealField(read.texts[IDC_UPDATE]);
    const std::optional<std::int32_t> chars = ParseSignedField(read.texts[IDC_NUM_CHARS]);
    const bool columnsOk = columns && *columns >= 1 && *columns <= 16;
    const bool updateOk = update && *update >= 0.5f && *update <= 5.0f;
    const bool charsOk = chars && *chars >= 0 && *chars <= 60;

    const auto selectionOf = [&](int id) {
        const auto it = read.selections.find(id);
        return it == read.selections.end() ? -1 : it->second;
    };
    // Exchange order: columns, splash, the lists, update, the other checks, chars.
    FUZZ_REQUIRE(values.NumColumns == (columns ? *columns : original.NumColumns));
    if (!columnsOk) {
        FUZZ_REQUIRE(read.reports.size() == 1 && read.reports[0].id == IDC_NUM_COLUMNS);
        FUZZ_REQUIRE(read.reports[0].message ==
                     (columns ? kColumnsRange : framework::kMsgPositiveInteger));
        FUZZ_REQUIRE(values.Splash == original.Splash && values.Sort == original.Sort);
        FUZZ_REQUIRE(values.NumChars == original.NumChars);
        return;
    }
    FUZZ_REQUIRE(values.Splash == read.checks[IDC_SHOW_SPLASH]);
    FUZZ_REQUIRE(values.Capitals == selectionOf(IDC_CAPITALS));
    FUZZ_REQUIRE(values.Sort == selectionOf(IDC_SORT));
    FUZZ_REQUIRE(values.Visibility == selectionOf(IDC_VISIBILITY));
    if (!updateOk) {
        FUZZ_REQUIRE(read.reports.size() == 1 && read.reports[0].id == IDC_UPDATE);
        FUZZ_REQUIRE(read.reports[0].message == (update ? kUpdateRange : framework::kMsgNumber));
        FUZZ_REQUIRE(values.Menu == original.Menu && values.Focus == original.Focus);
        FUZZ_REQUIRE(values.NumChars == original.NumChars);
        return;
    }
    FUZZ_REQUIRE(values.Update == *update);
    FUZZ_REQUIRE(values.Menu == read.checks[IDC_SHOW_MENU]);
    FUZZ_REQUIRE(values.Focus == read.checks[IDC_SHOW_FOCUS]);
    FUZZ_REQUIRE(values.NumChars == (chars ? *chars : original.NumChars));
    if (!charsOk) {
        FUZZ_REQUIRE(read.reports.size() == 1 && read.reports[0].id == IDC_NUM_CHARS);
        FUZZ_REQUIRE(read.reports[0].message == (chars ? kCharsRange : framework::kMsgInteger));
        return;
    }
    FUZZ_REQUIRE(read.reports.empty());
    FUZZ_REQUIRE(values.NumColumns >= 1 && values.NumColumns <= 16);
    FUZZ_REQUIRE(values.Update >= 0.5f && values.Update <= 5.0f);
    FUZZ_REQUIRE(values.NumChars >= 0 && values.NumChars <= 60);
}

// --- The Excluded Apps page ---

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

void CheckExclusionList(std::string_view text) {
    const std::string edited = perch::ExcludedAppsToEdited(text);
    const std::string stored = perch::ExcludedAppsToStored(text);
    // Both separators are two characters: the forms have the same length.
    FUZZ_REQUIRE(edited.size() == text.size());
    FUZZ_REQUIRE(stored.size() == text.size());
    FUZZ_REQUIRE(!Contains(edited, "||"));
    FUZZ_REQUIRE(!Contains(stored, "\r\n"));
    // The stored form comes back from the edited one when it holds no line break. The
    // edited form comes back when it holds no "|" at all: a "|" beside a line break
    // joins the stored "||" ("a|" and "b" store as "a|||b", which edits as "a" and "|b").
    if (!Contains(text, "\r\n")) {
        FUZZ_REQUIRE(perch::ExcludedAppsToStored(edited) == text);
    }
    if (!Contains(text, "|")) {
        FUZZ_REQUIRE(perch::ExcludedAppsToEdited(stored) == text);
    }
    // Saved once, the list goes on round the sheet unchanged.
    FUZZ_REQUIRE(perch::ExcludedAppsToStored(perch::ExcludedAppsToEdited(stored)) == stored);

    // The page opens with the whole text and takes back at most kMaxExcludedChars.
    std::string value(text);
    FakeDialog fill(false);
    perch::ExchangeExcludedAppsPage(fill, value);
    FUZZ_REQUIRE(fill.texts[IDC_EXCLUDED_APPS] == text);
    FUZZ_REQUIRE(fill.limits[IDC_EXCLUDED_APPS] == perch::kMaxExcludedChars);
    FakeDialog read(true);
    read.texts[IDC_EXCLUDED_APPS] = edited;
    std::string back;
    perch::ExchangeExcludedAppsPage(read, back);
    FUZZ_REQUIRE(back == edited);
    // The limit counts characters: every byte but the UTF-8 continuation bytes starts one
    // (what a field hands over is well-formed, being converted from wide text).
    std::size_t characters = 0;
    for (const char c : edited) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    FUZZ_REQUIRE(read.reports.size() == (characters > perch::kMaxExcludedChars ? 1u : 0u));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    switch (input.Byte() % 4) {
        case 0:
            CheckNumberReaders(input.Rest());
            break;
        case 1:
            CheckFillAndReadBack(input);
            break;
        case 2:
            CheckAnyFieldTexts(input);
            break;
        default:
            CheckExclusionList(input.Rest());
            break;
    }
    return 0;
}
