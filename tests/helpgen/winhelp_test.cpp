// The WinHelp writer, checked by reading what it writes with the tests' own reader.
#include "winhelp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "btree.h"
#include "helpgen_test_support.h"
#include "hlp_reader.h"

namespace helpgen_test {
namespace {

using helpgen::WinHelpHash;

TEST(WinHelpHashTest, FollowsTheFormatsCharacterValues) {
    EXPECT_EQ(WinHelpHash("a"), 17);
    EXPECT_EQ(WinHelpHash("ab"), 17 * 43 + 18);
    EXPECT_EQ(WinHelpHash("z"), 42);
    EXPECT_EQ(WinHelpHash("0"), 10);
    EXPECT_EQ(WinHelpHash("9"), 9);
    EXPECT_EQ(WinHelpHash("_."), 13 * 43 + 12);
    // Letters count without case; other characters do not count.
    EXPECT_EQ(WinHelpHash("Board_Help"), WinHelpHash("board_help"));
    EXPECT_EQ(WinHelpHash("a-b c"), WinHelpHash("abc"));
    EXPECT_EQ(WinHelpHash(""), 0);
}

TEST(WinHelpHashTest, WrapsAtThirtyTwoBitsLikeTheReference) {
    for (const char* name : {"sample_contents", "a_rather_long_context_name.with.dots",
                             "ID_WINDOWS_TILE_HORZ", "zzzzzzzzzzzzzzzzzzzzzzzz", "x1"}) {
        EXPECT_EQ(WinHelpHash(name), ReferenceHash(name)) << name;
    }
    EXPECT_LT(WinHelpHash("zzzzzzzzzzzzzzzzzzzzzzzz"), 0) << "the hash is a signed number";
}

std::vector<std::uint8_t> NameKey(const std::string& name) {
    std::vector<std::uint8_t> key(name.begin(), name.end());
    key.push_back(0);
    return key;
}

TEST(BTreeTest, ManyLevelsAreWalkedAndSearchedLikeAViewerDoes) {
    std::vector<std::string> names;
    for (int i = 0; i < 150; ++i) {
        names.push_back("name" + std::to_string(1000 + i));
    }
    std::vector<helpgen::BTreeEntry> entries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        entries.push_back({NameKey(names[i]), {static_cast<std::uint8_t>(i), 0, 0, 0}});
    }
    // Small pages force leaves, index pages and an index above them.
    const auto bytes = helpgen::BuildBTree(entries, {0x0402, 64, "z4"});
    const Bytes all(bytes, 0, bytes.size());
    const BTree tree(all, NameEntrySize);
    EXPECT_GE(tree.levels, 3);
    EXPECT_EQ(tree.structure, "z4");
    EXPECT_EQ(tree.flags, 0x0402u);

    const auto leaves = tree.Leaves();
    ASSERT_EQ(leaves.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(leaves[i].Z(0), names[i]);
        const auto found = tree.Find([&](const Bytes& e) { return e.Z(0).compare(names[i]); });
        ASSERT_TRUE(found.has_value()) << names[i];
        EXPECT_EQ(found->U8(names[i].size() + 1), i);
    }
    EXPECT_FALSE(tree.Find([](const Bytes& e) { return e.Z(0).compare("name0999"); }));
    EXPECT_FALSE(tree.Find([](const Bytes& e) { return e.Z(0).compare("name1075x"); }));
    EXPECT_FALSE(tree.Find([](const Bytes& e) { return e.Z(0).compare("zzz"); }));
}

TEST(BTreeTest, AnEmptyTreeIsOneEmptyLeaf) {
    const auto bytes = helpgen::BuildBTree({}, {0x0002, 0x0800, "L4"});
    const Bytes all(bytes, 0, bytes.size());
    const BTree tree(all, HashEntrySize);
    EXPECT_EQ(tree.levels, 1);
    EXPECT_EQ(tree.pages, 1u);
    EXPECT_TRUE(tree.Leaves().empty());
}

helpgen::HelpProject SampleProject() {
    std::string source, header;
    EXPECT_TRUE(ReadTextFile(SourceTreePath("tests/helpgen/sample_help.txt"), source));
    EXPECT_TRUE(ReadTextFile(SourceTreePath("tests/helpgen/sample_resource.h"), header));
    std::vector<std::string> errors;
    auto project = Parse(source, header, errors);
    EXPECT_EQ(errors, std::vector<std::string>{});
    return project;
}

TEST(WinHelpWriterTest, TheSampleReadsBackTopicByTopic) {
    const helpgen::HelpProject project = SampleProject();
    ASSERT_GE(project.topics.size(), 8u);
    const HlpFile hlp = ReadHlp(helpgen::WriteWinHelp(project));

    // What a viewer needs, and nothing compressed.
    std::vector<std::string> names;
    for (const auto& [name, at] : hlp.directory) {
        names.push_back(name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC"}));
    EXPECT_EQ(hlp.minor, 21u);
    EXPECT_EQ(hlp.macros, std::vector<std::string>{"BrowseButtons()"});

    // More than one topic block, and topics in the later blocks.
    EXPECT_GE(hlp.topic_blocks, 2u);
    EXPECT_GE(hlp.topics.back().offset, 0x8000u);
    ExpectReadBackMatches(project, hlp);
}

TEST(WinHelpWriterTest, TheSampleIdsReachTheTopicsTheSourceGivesThem) {
    const helpgen::HelpProject project = SampleProject();
    const HlpFile hlp = ReadHlp(helpgen::WriteWinHelp(project));
    // command: is 0x10000 + the symbol's value, resource: 0x20000 + it, numbers as they are.
    const std::vector<std::pair<std::uint32_t, std::string>> expected = {
        {0x20000 + 2, "Sample Help Contents"}, {0x10000 + 32771, "Paragraphs and lines"},
        {0x10000 + 32772, "Bold text"},        {0x1234, "Help ids"},
        {0x10000 + 0xE140, "Help ids"},        {0x20000 + 0x66, "Help ids"},
        {0x10000 + 32790, "About the sample"}, {70000, "About the sample"}};
    for (const auto& [id, title] : expected) {
        const auto offset = hlp.FindMap(id);
        ASSERT_TRUE(offset.has_value()) << id;
        ASSERT_NE(hlp.TopicAt(*offset), nullptr);
        EXPECT_EQ(hlp.TopicAt(*offset)->title, title) << id;
    }
    EXPECT_FALSE(hlp.FindMap(0x10000 + 32773).has_value());
}

// A project made in code: many topics, each with text, bold, bullets and jumps, enough for
// several blocks and a |CONTEXT tree of more than one level.
std::string GeneratedSource(int topics) {
    std::string source;
    for (int i = 0; i < topics; ++i) {
        const std::string n = std::to_string(i);
        source += "topic t" + n + "." + n + " " + std::to_string(0x10000 + i) + "\n";
        source += "title Topic number " + n + "\n";
        source += "Topic " + n + " has *bold " + n + "* text and a {jump to the next|t" +
                  std::to_string((i + 1) % topics) + "." + std::to_string((i + 1) % topics) +
                  "} topic.\n\n";
        source += "- First item of " + n + ".\n- {*Bold jump* back|t0.0} to the start.\n";
        if (i % 7 == 0) {
            source +=
                "\nA longer paragraph that makes some topics bigger than others, so that "
                "the topics fall at different places in their blocks. " +
                std::string(static_cast<std::size_t>(i % 300), 'x') + "\n";
        }
    }
    return source;
}

TEST(WinHelpWriterTest, ManyTopicsNeedMoreContextPagesAndStillLandRight) {
    std::vector<std::string> errors;
    const auto project = Parse(GeneratedSource(600), "", errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    const HlpFile hlp = ReadHlp(helpgen::WriteWinHelp(project));
    EXPECT_GE(hlp.context_levels, 2);
    EXPECT_GE(hlp.topic_blocks, 20u);
    ExpectReadBackMatches(project, hlp);
}

TEST(WinHelpWriterTest, TheSameSourceGivesTheSameFile) {
    std::vector<std::string> errors;
    const auto project = Parse(GeneratedSource(20), "", errors);
    ASSERT_TRUE(errors.empty());
    EXPECT_EQ(helpgen::WriteWinHelp(project), helpgen::WriteWinHelp(project));
}

TEST(WinHelpWriterTest, AParagraphLargerThanABlockIsReportedWithItsLine) {
    std::string source = "topic a\ntitle A\n\n";
    source += "Short.\n\n";
    for (int i = 0; i < 300; ++i) {
        source += "Fifteen chars. ";  // the lines after the first are indented: one paragraph
        source += "\n  ";
    }
    source += "end.\n";
    std::vector<std::string> errors;
    const auto project = Parse(source, "", errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    try {
        helpgen::WriteWinHelp(project);
        FAIL() << "no error";
    } catch (const helpgen::WinHelpError& e) {
        EXPECT_NE(std::string(e.what()).find("help.txt:6: paragraph too long"), std::string::npos)
            << e.what();
    }
}

}  // namespace
}  // namespace helpgen_test
