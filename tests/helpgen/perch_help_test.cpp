// Perch's own help: src/res/perch_help.txt compiles, and every command and every page that
// asks for help has a topic.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "help_source.h"
#include "helpgen_test_support.h"
#include "hlp_reader.h"
#include "winhelp.h"

namespace helpgen_test {
namespace {

struct PerchHelp {
    helpgen::ResourceSymbols symbols;
    helpgen::HelpProject project;
    std::vector<std::string> errors;
};

PerchHelp LoadPerchHelp() {
    PerchHelp help;
    std::string source;
    help.symbols = PerchResourceSymbols(help.errors);
    const std::string source_path = SourceTreePath("src/res/perch_help.txt");
    if (!ReadTextFile(source_path, source)) {
        help.errors.push_back(source_path + ": cannot read (Perch's help topics are missing)");
        return help;
    }
    help.project =
        helpgen::ParseHelpSource(source, "src/res/perch_help.txt", help.symbols, help.errors);
    help.project.title = "Perch Help";
    return help;
}

// Which help ids Perch asks for: every command (each "ID_" name of resource.h; the frame's
// child-window ids are "AFX_IDW_" names and controls, dialogs, strings and bitmaps have
// other prefixes, so none of them counts), and as resources the main frame (the board,
// IDR_MAINFRAME) and the three pages of the properties sheet.
std::map<std::string, std::uint32_t> IdsThatNeedTopics(const helpgen::ResourceSymbols& symbols) {
    std::map<std::string, std::uint32_t> ids;
    for (const auto& [name, value] : symbols.values) {
        if (name.rfind("ID_", 0) == 0) {
            ids["command:" + name] = helpgen::kCommandHelpBase + value;
        }
    }
    for (const char* name : {"IDR_MAINFRAME", "IDD_CONFIGURE", "IDD_COLORS", "IDD_EXCLUDE"}) {
        auto found = symbols.values.find(name);
        ids["resource:" + std::string(name)] =
            found == symbols.values.end() ? 0 : helpgen::kResourceHelpBase + found->second;
    }
    return ids;
}

TEST(PerchHelpTest, TheTopicSourceCompiles) {
    const PerchHelp help = LoadPerchHelp();
    EXPECT_EQ(help.errors, std::vector<std::string>{});
}

TEST(PerchHelpTest, EveryCommandTheBoardAndEachSheetPageHaveATopic) {
    const PerchHelp help = LoadPerchHelp();
    ASSERT_EQ(help.errors, std::vector<std::string>{});
    const auto needed = IdsThatNeedTopics(help.symbols);
    ASSERT_GE(needed.size(), 5u) << "resource.h lists no commands";
    std::set<std::uint32_t> documented;
    for (const auto& topic : help.project.topics) {
        for (const auto& id : topic.ids) {
            documented.insert(id.value);
        }
    }
    for (const auto& [spelling, value] : needed) {
        EXPECT_NE(value, 0u) << spelling << " is not in resource.h";
        EXPECT_TRUE(documented.count(value) != 0) << spelling << " has no topic";
    }
}

TEST(PerchHelpTest, TheCompiledFileLeadsEveryIdToItsTopic) {
    const PerchHelp help = LoadPerchHelp();
    ASSERT_EQ(help.errors, std::vector<std::string>{});
    const HlpFile hlp = ReadHlp(helpgen::WriteWinHelp(help.project));
    ExpectReadBackMatches(help.project, hlp);
}

}  // namespace
}  // namespace helpgen_test
