// What Perch's help says about defaults, ranges and messages, held against the program's own
// values: the pages' data exchange and the Settings record, the string table and dialogs of
// perch.rc, the registry store and the frame's rules. A topic that drifts from them fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/frame_rules.h"
#include "board/options.h"
#include "framework/data_exchange.h"
#include "help_source.h"
#include "helpgen_test_support.h"
#include "res/resource.h"
#include "settings/colors_page.h"
#include "settings/excluded_apps_page.h"
#include "settings/settings.h"
#include "settings/settings_page.h"
#include "support/fake_dialog.h"

namespace helpgen_test {
namespace {

using perch::test::FakeDialog;
constexpr auto npos = std::string::npos;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == npos ? std::string() : std::string(text.substr(first, last - first + 1));
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The texts between successive pairs of double quotes.
std::vector<std::string> QuotesIn(const std::string& text) {
    std::vector<std::string> quotes;
    for (auto open = text.find('"'); open != npos; open = text.find('"', open)) {
        const auto close = text.find('"', open + 1);
        if (close == npos) {
            break;
        }
        quotes.push_back(text.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return quotes;
}

// Perch's topics as a reader sees them, one string per paragraph.
class PerchTopics {
  public:
    PerchTopics() {
        std::string source;
        EXPECT_TRUE(ReadTextFile(SourceTreePath("src/res/perch_help.txt"), source));
        std::vector<std::string> errors;
        symbols = PerchResourceSymbols(errors);
        project = helpgen::ParseHelpSource(source, "perch_help.txt", symbols, errors);
        EXPECT_EQ(errors, std::vector<std::string>{});
    }

    std::vector<std::string> Paragraphs(std::string_view context) const {
        std::vector<std::string> paragraphs;
        const helpgen::Topic* topic = project.FindTopic(context);
        EXPECT_NE(topic, nullptr) << "no topic " << context;
        if (topic != nullptr) {
            for (const helpgen::Paragraph& paragraph : topic->paragraphs) {
                paragraphs.push_back(paragraph.PlainText());
            }
        }
        return paragraphs;
    }

    std::string Text(std::string_view context) const {
        std::string text;
        for (const std::string& paragraph : Paragraphs(context)) {
            text += paragraph + "\n";
        }
        return text;
    }

    // The paragraph (a bullet item, usually) that starts with `start`.
    std::string StartingWith(std::string_view context, std::string_view start) const {
        for (const std::string& paragraph : Paragraphs(context)) {
            if (paragraph.starts_with(start)) {
                return paragraph;
            }
        }
        ADD_FAILURE() << context << " has no paragraph starting with " << start;
        return {};
    }

    void ExpectSays(std::string_view context, const std::string& phrase) const {
        EXPECT_NE(Text(context).find(phrase), npos) << context << " does not say: " << phrase;
    }

    helpgen::ResourceSymbols symbols;
    helpgen::HelpProject project;
};

// --- perch.rc: the string table and the controls of the dialogs ---

struct RcControl {
    std::string kind;  // LTEXT, GROUPBOX, CONTROL, ...
    std::string text;  // without its "&"
    std::string id;    // as written
    std::string cls;   // the class of a CONTROL
};

struct ResourceScript {
    std::map<std::string, std::string> strings;             // by id as written
    std::map<std::string, std::vector<RcControl>> dialogs;  // by template name
};

// A control line's fields, split at the commas outside quotes.
std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (const char c : text) {
        quoted = c == '"' ? !quoted : quoted;
        if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& field : fields) {
        field = Trim(field);
    }
    return fields;
}

std::string Unquoted(const std::string& field) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') {
        return {};
    }
    std::string text = field.substr(1, field.size() - 2);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

ResourceScript ReadResourceScript() {
    std::string source;
    EXPECT_TRUE(ReadTextFile(SourceTreePath("src/res/perch.rc"), source));
    ResourceScript script;
    std::istringstream lines(source);
    std::string line;
    std::string block;  // "STRINGTABLE", a dialog's name, or empty for the other blocks
    int depth = 0;
    const std::regex dialogHeader(R"(^(\w+) DIALOG\b)");
    while (std::getline(lines, line)) {
        const std::string text = Trim(line);
        std::smatch match;
        if (text.empty() || text.starts_with("//")) {
            continue;
        } else if (text == "BEGIN") {
            ++depth;
        } else if (text == "END") {
            block = --depth == 0 ? std::string() : block;
        } else if (depth == 0 && text == "STRINGTABLE") {
            block = text;
        } else if (depth == 0 && std::regex_search(text, match, dialogHeader)) {
            block = match[1];
        } else if (depth == 1 && block == "STRINGTABLE") {
            const auto open = text.find('"');
            const auto close = text.rfind('"');
            if (open != npos && close > open) {
                script.strings[Trim(text.substr(0, open))] =
                    text.substr(open + 1, close - open - 1);
            }
        } else if (depth == 1 && !block.empty()) {
            const auto space = text.find(' ');
            const std::vector<std::string> fields = Fields(text.substr(space + 1));
            script.dialogs[block].push_back({text.substr(0, space), Unquoted(fields[0]),
                                             fields.size() > 1 ? fields[1] : "",
                                             fields.size() > 2 ? Unquoted(fields[2]) : ""});
        }
    }
    return script;
}

// --- What the pages show ---

// The controls of the Settings page as it opens with the default record.
struct PageControls {
    std::map<int, std::string> texts;
    std::map<int, int> checks;
    std::map<int, int> selections;
};
PageControls DefaultSettingsPage() {
    perch::SettingsPageValues values = perch::SettingsPageValues::From(perch::Settings{});
    FakeDialog page(false);
    perch::ExchangeSettingsPage(page, values);
    return {page.texts, page.checks, page.selections};
}

// Every message the Settings page gives: each of its fields read back as text that is no
// number, and as a number beyond every range.
std::set<std::string> SettingsPageMessages() {
    const PageControls filled = DefaultSettingsPage();
    std::set<std::string> messages;
    for (const auto& [id, text] : filled.texts) {
        for (const char* wrong : {"x", "1000000"}) {
            FakeDialog read(true);
            read.texts = filled.texts;
            read.checks = filled.checks;
            read.selections = filled.selections;
            read.texts[id] = wrong;
            perch::SettingsPageValues values = perch::SettingsPageValues::From(perch::Settings{});
            perch::ExchangeSettingsPage(read, values);
            EXPECT_EQ(read.reports.size(), 1u) << "field " << id << " holding " << wrong;
            for (const FakeDialog::Report& report : read.reports) {
                messages.insert(report.message);
            }
        }
    }
    return messages;
}

// The Excluded Apps page's edit limit, and its message for a list one character longer.
std::pair<std::size_t, std::string> ExcludedAppsLimitAndMessage() {
    std::string edited = perch::ExcludedAppsToEdited(perch::Settings{}.ExcludedApps);
    FakeDialog filled(false);
    perch::ExchangeExcludedAppsPage(filled, edited);
    const std::size_t limit = filled.limits[IDC_EXCLUDED_APPS];
    FakeDialog read(true);
    read.texts[IDC_EXCLUDED_APPS] = std::string(limit + 1, 'a');
    perch::ExchangeExcludedAppsPage(read, edited);
    return {limit, read.reports.empty() ? std::string() : read.reports.front().message};
}

TEST(PerchHelpFactsTest, MessagesTheTopicsQuoteAreThoseThePagesAndTheStringTableShow) {
    const PerchTopics topics;
    const ResourceScript rc = ReadResourceScript();
    ASSERT_TRUE(rc.strings.contains("IDS_FONT_ERROR") &&
                rc.strings.contains("IDS_MAXIMIZED_REFUSAL"));
    // Each message Perch gives, and the topic that must quote it word for word.
    const std::map<std::string, std::set<std::string>> required = {
        {"page.settings", SettingsPageMessages()},
        {"page.colors", {perch::kSelectColorMessage}},
        {"page.excluded", {ExcludedAppsLimitAndMessage().second}},
        {"trouble.font", {rc.strings.at("IDS_FONT_ERROR")}},
        {"maximized", {rc.strings.at("IDS_MAXIMIZED_REFUSAL")}},
    };
    std::set<std::string> shown;  // every text Perch shows in a message or a dialog
    for (const auto& [context, messages] : required) {
        const std::vector<std::string> quotes = QuotesIn(topics.Text(context));
        for (const std::string& message : messages) {
            EXPECT_NE(std::find(quotes.begin(), quotes.end(), message), quotes.end())
                << context << " does not quote " << Quoted(message);
            shown.insert(message);
        }
    }
    for (const auto& [id, text] : rc.strings) {
        shown.insert(text);
    }
    for (const auto& [name, controls] : rc.dialogs) {
        for (const RcControl& control : controls) {
            shown.insert(control.text);
        }
    }
    // A quoted request ("Please ...") or sentence anywhere is one of them.
    for (const helpgen::Topic& topic : topics.project.topics) {
        for (const std::string& paragraph : topics.Paragraphs(topic.context)) {
            EXPECT_EQ(std::count(paragraph.begin(), paragraph.end(), '"') % 2, 0)
                << topic.context << ": unbalanced quotes in: " << paragraph;
            for (const std::string& quote : QuotesIn(paragraph)) {
                const auto words = std::count(quote.begin(), quote.end(), ' ') + 1;
                if (quote.starts_with("Please") || words >= 5) {
                    EXPECT_TRUE(shown.contains(quote))
                        << topic.context << " quotes " << Quoted(quote)
                        << ", which Perch never shows";
                }
            }
        }
    }
}

TEST(PerchHelpFactsTest, TheSettingsPageTopicHasThePagesDefaultsAndRanges) {
    const PerchTopics topics;
    const ResourceScript rc = ReadResourceScript();
    const PageControls page = DefaultSettingsPage();
    // The ranges the page checks, written as its fields show numbers.
    const std::map<std::string, std::string> ranges = {
        {"IDC_NUM_COLUMNS",
         std::to_string(perch::kMinColumns) + " to " + std::to_string(perch::kMaxColumns)},
        {"IDC_NUM_CHARS",
         std::to_string(perch::kMinChars) + " to " + std::to_string(perch::kMaxChars)},
        {"IDC_UPDATE", framework::FormatRealField(perch::kMinUpdate) + " to " +
                           framework::FormatRealField(perch::kMaxUpdate)},
    };
    std::map<std::string, std::string> listDefaults;  // list item -> the default of its list
    std::map<std::string, bool> checkDefaults;        // check box -> ticked at first
    std::string group;                                // the group box a field or list is in
    ASSERT_TRUE(rc.dialogs.contains("IDD_CONFIGURE"));
    for (const RcControl& control : rc.dialogs.at("IDD_CONFIGURE")) {
        if (control.kind == "GROUPBOX") {
            group = control.text;
            continue;
        }
        if (control.kind != "CONTROL") {
            continue;
        }
        const auto symbol = topics.symbols.values.find(control.id);
        ASSERT_NE(symbol, topics.symbols.values.end()) << control.id;
        const int id = static_cast<int>(symbol->second);
        if (control.cls == "Button") {
            const bool ticked = page.checks.at(id) != 0;
            checkDefaults[control.text] = ticked;
            const std::string bullet = topics.StartingWith("page.settings", Quoted(control.text));
            EXPECT_TRUE(
                bullet.starts_with(Quoted(control.text) + (ticked ? " (ticked" : " (cleared")))
                << bullet;
        } else if (control.cls == "Edit") {
            const std::string bullet = topics.StartingWith("page.settings", Quoted(group));
            EXPECT_NE(bullet.find("default " + page.texts.at(id)), npos)
                << "the default is " << page.texts.at(id) << ": " << bullet;
            ASSERT_TRUE(ranges.contains(control.id))
                << "which range does " << control.id << " have?";
            EXPECT_NE(bullet.find(ranges.at(control.id)), npos) << bullet;
        } else if (control.cls == "ComboBox") {
            // The items in the order of their values, the default one marked.
            const std::string bullet = topics.StartingWith("page.settings", Quoted(group) + ":");
            std::vector<std::string> items = QuotesIn(bullet);
            const auto selected = static_cast<std::size_t>(page.selections.at(id));
            ASSERT_GT(items.size(), selected + 1) << bullet;
            const std::string& chosen = items[selected + 1];  // after the list's own name
            EXPECT_NE(bullet.find(Quoted(chosen) + " (the default)"), npos)
                << "the default is " << Quoted(chosen) << ": " << bullet;
            for (std::size_t i = 1; i < items.size(); ++i) {
                listDefaults[items[i]] = chosen;
            }
        }
    }
    EXPECT_FALSE(listDefaults.empty());
    EXPECT_EQ(checkDefaults.size(), page.checks.size())
        << "a check box of the page is not in perch.rc";

    // Wherever a topic calls a list item or a check box's state the default, it is.
    for (const helpgen::Topic& topic : topics.project.topics) {
        const std::string text = topics.Text(topic.context);
        for (const auto& [item, chosen] : listDefaults) {
            for (auto at = text.find(Quoted(item) + " ("); at != npos;
                 at = text.find(Quoted(item) + " (", at + 1)) {
                const auto open = text.find('(', at);
                const std::string aside = text.substr(open, text.find(')', open) - open);
                EXPECT_TRUE(aside.find("default") == npos || item == chosen)
                    << topic.context << " calls " << Quoted(item) << " the default";
            }
        }
        for (const auto& [box, ticked] : checkDefaults) {
            for (const char* state : {" ticked", " cleared"}) {
                const std::string said = Quoted(box) + state;
                for (auto at = text.find(said); at != npos; at = text.find(said, at + 1)) {
                    const std::string rest = text.substr(at, text.find_first_of(".:", at) - at);
                    EXPECT_TRUE(rest.find("(the default)") == npos ||
                                (std::string(state) == " ticked") == ticked)
                        << topic.context << ": " << rest;
                }
            }
        }
    }
}

TEST(PerchHelpFactsTest, OtherDefaultsAreTheProgramsOwn) {
    const PerchTopics topics;
    const perch::Settings defaults;
    const std::string interval = framework::FormatRealField(defaults.Update);
    topics.ExpectSays("board",
                      "\"Update Interval\" (" + interval + " seconds unless you change it)");
    topics.ExpectSays("trouble.missing",
                      "\"Update Interval\" (" + interval + " seconds unless you change it)");
    topics.ExpectSays("titles", "The default is " + std::to_string(defaults.NumChars) + ".");
    topics.ExpectSays("cmd.set_font", std::string("The default font is ") +
                                          perch::kDefaultFont.faceName +
                                          " with a character height of " +
                                          std::to_string(-perch::kDefaultFont.height) + " pixels.");
    topics.ExpectSays("registry", "\"Update\" (in milliseconds: " +
                                      std::to_string(perch::UpdateToMilliseconds(defaults.Update)) +
                                      " is " + interval + " seconds)");

    // The exclusion list at first, and how long it may be.
    const std::string excluded = perch::ExcludedAppsToEdited(defaults.ExcludedApps);
    ASSERT_EQ(excluded.find('\r'), npos) << "the help names one entry at first";
    topics.ExpectSays("page.excluded", "The list holds " + Quoted(excluded) + " at first.");
    topics.ExpectSays("watched_apps", Quoted(excluded) + " is on the list unless you remove it.");
    const std::size_t limit = ExcludedAppsLimitAndMessage().first;
    topics.ExpectSays("page.excluded", "at most " + std::to_string(limit) +
                                           " characters, each line break counting as two: typing "
                                           "stops there.");

    // The colours, by the names the help gives them.
    const std::map<perch::ColorRef, std::string> names = {
        {perch::MakeColor(0, 0, 0), "black"},
        {perch::MakeColor(255, 255, 255), "white"},
        {perch::MakeColor(192, 192, 192), "light grey"},
        {perch::MakeColor(0, 255, 255), "cyan"},
    };
    const auto name = [&](perch::ColorRef color) {
        const auto found = names.find(color);
        return found == names.end() ? std::string("(a colour the help has no name for)")
                                    : found->second;
    };
    const perch::ColorsPageValues colors = perch::ColorsPageValues::From(defaults);
    using List = perch::ColorsPageValues::List;
    const std::pair<const char*, List> lists[] = {{"Text", List::kText},
                                                  {"Background", List::kBackground},
                                                  {"Highlight", List::kHighlight},
                                                  {"Focus", List::kFocus}};
    for (const auto& [label, list] : lists) {
        const std::string bullet = topics.StartingWith("page.colors", Quoted(label) + ":");
        const perch::ColorRef color = colors.colors[static_cast<std::size_t>(list)];
        EXPECT_NE(bullet.find("Default " + name(color) + "."), npos) << bullet;
    }
    topics.ExpectSays("board", "focus colour (" + name(defaults.FocusColor) + " unless");
    topics.ExpectSays("board", "highlight colour (" + name(defaults.HltColor) + " unless");
    topics.ExpectSays("board", "background colour (" + name(defaults.BkgndColor) + " unless");
    const auto [darkest, lightest] =
        std::minmax_element(perch::kColorTable.begin(), perch::kColorTable.end(),
                            [](auto a, auto b) { return perch::CompareColors(a, b) < 0; });
    topics.ExpectSays("page.colors", "Each list offers " +
                                         std::to_string(perch::kColorTable.size()) +
                                         " colours, from " + name(*darkest) + " at the top to " +
                                         name(*lightest) + " at the bottom.");
}

TEST(PerchHelpFactsTest, ExamplesOfTheIntervalAndTheWindowWidthsFollowTheProgram) {
    const PerchTopics topics;
    // "So 2.37 is taken as 2.3, but 2.39 as 2.4 ...": the board's reduction to tenths.
    const std::string interval = topics.StartingWith("page.settings", "\"Update Interval\"");
    const std::regex example(R"((\d+\.\d+) (?:is taken )?as (\d+\.\d+))");
    int examples = 0;
    for (std::sregex_iterator it(interval.begin(), interval.end(), example), end; it != end;
         ++it, ++examples) {
        const auto typed = framework::ParseRealField((*it)[1].str());
        const auto taken = framework::ParseRealField((*it)[2].str());
        ASSERT_TRUE(typed && taken);
        EXPECT_TRUE(*typed >= perch::kMinUpdate && *typed <= perch::kMaxUpdate) << *typed;
        EXPECT_EQ(perch::UpdateToMilliseconds(perch::ReduceIntervalToTenths(*typed)),
                  perch::UpdateToMilliseconds(*taken))
            << (*it)[0];
    }
    EXPECT_GE(examples, 3);

    // The caption and menu widths, and the screens they hold for.
    const std::string frame = topics.Text("frame");
    std::smatch caption, menus, screens;
    ASSERT_TRUE(std::regex_search(
        frame, caption,
        std::regex(R"((\d+) pixels wide or less inside its border, it reads "Roost")")));
    ASSERT_TRUE(std::regex_search(
        frame, menus,
        std::regex(
            R"((\d+) pixels wide or more inside its border, the menu bar has the menus "Opts")")));
    ASSERT_TRUE(std::regex_search(
        frame, screens,
        std::regex(R"(on a screen (\d+) to (\d+) pixels wide, such as one of (\d+) x)")));
    const int from = std::stoi(screens[1]);
    const int to = std::stoi(screens[2]);
    const perch::FrameMetrics metrics = perch::MetricsForScreenWidth(std::stoi(screens[3]));
    EXPECT_EQ(std::stoi(caption[1]), metrics.shortTitleWidth);
    EXPECT_EQ(std::stoi(menus[1]), metrics.compactMenuWidth);
    EXPECT_EQ(perch::MetricsForScreenWidth(from), metrics);
    EXPECT_EQ(perch::MetricsForScreenWidth(to), metrics);
    // Beyond them: smaller widths on a narrower screen, larger on a wider one.
    EXPECT_LT(perch::MetricsForScreenWidth(from - 1).shortTitleWidth, metrics.shortTitleWidth);
    EXPECT_GT(perch::MetricsForScreenWidth(to + 1).compactMenuWidth, metrics.compactMenuWidth);
}

}  // namespace
}  // namespace helpgen_test
