// The topic source and resource header parsers.
#include "help_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "helpgen_test_support.h"

namespace helpgen_test {
namespace {

using helpgen::Paragraph;
using helpgen::Piece;

const char kHeader[] =
    "// ids\n"
    "#define IDR_MAINFRAME 2\n"
    "#define IDD_COLORS 0x6B // 107\n"
    "#define ID_SELECT_ALL (32771)\n"
    "#define ID_APP_ABOUT 0xE140\n"
    "#define VERSION_NUMBERS 1, 0, 0, 0\n"
    "#  define  SPACED 7\n";

// The errors of a source, each expected to name file and line.
std::vector<std::string> ErrorsOf(const std::string& source) {
    std::vector<std::string> errors;
    Parse(source, kHeader, errors);
    return errors;
}

bool HasError(const std::vector<std::string>& errors, const std::string& start) {
    return std::any_of(errors.begin(), errors.end(),
                       [&](const std::string& e) { return e.rfind(start, 0) == 0; });
}

TEST(ResourceHeaderTest, ReadsNumbersInTheFormsAHeaderUses) {
    std::vector<std::string> errors;
    const auto symbols = helpgen::ParseResourceHeader(kHeader, "r.h", errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(symbols.values.at("IDR_MAINFRAME"), 2u);
    EXPECT_EQ(symbols.values.at("IDD_COLORS"), 107u);
    EXPECT_EQ(symbols.values.at("ID_SELECT_ALL"), 32771u);
    EXPECT_EQ(symbols.values.at("ID_APP_ABOUT"), 0xE140u);
    EXPECT_EQ(symbols.values.at("SPACED"), 7u);
    EXPECT_EQ(symbols.values.count("VERSION_NUMBERS"), 0u);
    EXPECT_EQ(symbols.non_numeric.at("VERSION_NUMBERS"), 6);
}

TEST(ResourceHeaderTest, ADefinitionGivenTwiceIsAnError) {
    std::vector<std::string> errors;
    helpgen::ParseResourceHeader("#define A 1\n#define B 2\n#define A 3\n", "r.h", errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(HasError(errors, "r.h:3: 'A' is defined again (first at line 1)"));
}

TEST(HelpSourceTest, TopicsTitlesIdsAndParagraphs) {
    std::vector<std::string> errors;
    const auto project = Parse(
        "# a comment\n"
        "topic board resource:IDR_MAINFRAME command:ID_SELECT_ALL 0x1234 70000\n"
        "title The Board\n"
        "First paragraph,\n"
        "  continued here.\n"
        "\n"
        "Second paragraph.\n"
        "- An item\n"
        "  that goes on.\n"
        "- Another item.\n"
        "Text after the items.\n"
        "\n"
        "topic colors resource:IDD_COLORS\n"
        "title Colors\n"
        "  title is indented here, so it is text.\n",
        kHeader, errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    ASSERT_EQ(project.topics.size(), 2u);
    const auto& board = project.topics[0];
    EXPECT_EQ(board.context, "board");
    EXPECT_EQ(board.title, "The Board");
    EXPECT_EQ(board.line, 2);
    ASSERT_EQ(board.ids.size(), 4u);
    EXPECT_EQ(board.ids[0].value, 0x20002u);
    EXPECT_EQ(board.ids[0].symbol, "IDR_MAINFRAME");
    EXPECT_EQ(board.ids[1].value, 0x10000u + 32771);
    EXPECT_EQ(board.ids[1].spelling, "command:ID_SELECT_ALL");
    EXPECT_EQ(board.ids[2].value, 0x1234u);
    EXPECT_EQ(board.ids[2].symbol, "");
    EXPECT_EQ(board.ids[3].value, 70000u);

    ASSERT_EQ(board.paragraphs.size(), 5u);
    EXPECT_EQ(board.paragraphs[0].PlainText(), "First paragraph, continued here.");
    EXPECT_EQ(board.paragraphs[0].line, 4);
    EXPECT_EQ(board.paragraphs[1].PlainText(), "Second paragraph.");
    EXPECT_EQ(board.paragraphs[2].kind, Paragraph::Kind::kBullet);
    EXPECT_EQ(board.paragraphs[2].PlainText(), "An item that goes on.");
    EXPECT_EQ(board.paragraphs[3].kind, Paragraph::Kind::kBullet);
    EXPECT_EQ(board.paragraphs[3].PlainText(), "Another item.");
    EXPECT_EQ(board.paragraphs[4].kind, Paragraph::Kind::kBody);
    EXPECT_EQ(board.paragraphs[4].PlainText(), "Text after the items.");

    EXPECT_EQ(project.topics[1].ids[0].value, 0x20000u + 107);
    ASSERT_EQ(project.topics[1].paragraphs.size(), 1u);
    EXPECT_EQ(project.topics[1].paragraphs[0].PlainText(),
              "title is indented here, so it is text.");
}

TEST(HelpSourceTest, BoldLinksAndEscapes) {
    std::vector<std::string> errors;
    const auto project = Parse(
        "topic a\ntitle A\n"
        "Plain *bold\n"
        "  words* then {a *strong* jump|b} and \\*stars\\*, \\{\\}, a \\| and \\\\; a | too.\n"
        "topic b\ntitle B\n",
        kHeader, errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    const Paragraph& p = project.topics[0].paragraphs.at(0);
    const std::vector<Piece> expected = {{"Plain ", false, -1},
                                         {"bold words", true, -1},
                                         {" then ", false, -1},
                                         {"a ", false, 0},
                                         {"strong", true, 0},
                                         {" jump", false, 0},
                                         {" and *stars*, {}, a | and \\; a | too.", false, -1}};
    EXPECT_EQ(p.pieces, expected);
    ASSERT_EQ(p.links.size(), 1u);
    EXPECT_EQ(p.links[0].target, "b");
    EXPECT_EQ(p.links[0].line, 4);
}

TEST(HelpSourceTest, CarriageReturnsAndTabsAreTolerated) {
    std::vector<std::string> errors;
    const auto project = Parse("topic a\r\ntitle\tA title\r\nSome\ttext.\r\n", kHeader, errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(project.topics[0].title, "A title");
    EXPECT_EQ(project.topics[0].paragraphs[0].PlainText(), "Some text.");
}

TEST(HelpSourceTest, DirectiveErrorsNameTheirLine) {
    const auto errors = ErrorsOf(
        "Before any topic.\n"      // 1
        "topic a\n"                // 2
        "title A\n"                // 3
        "keywords one two\n"       // 4
        "title Again\n"            // 5
        "topic b\n"                // 6
        "Text without a title.\n"  // 7
        "topic c\n"                // 8
        "\n"                       // 9
        "topic\n");                // 10
    EXPECT_TRUE(HasError(errors, "help.txt:1: text before the first topic")) << errors.front();
    EXPECT_TRUE(HasError(errors, "help.txt:4: unknown directive 'keywords'"));
    EXPECT_TRUE(HasError(errors, "help.txt:5: topic 'a' already has a title"));
    EXPECT_TRUE(
        HasError(errors, "help.txt:7: expected 'title <text>' after the topic line of 'b'"));
    EXPECT_TRUE(HasError(errors, "help.txt:8: topic 'c' has no title"));
    EXPECT_TRUE(HasError(errors, "help.txt:10: 'topic' needs a context name"));
}

TEST(HelpSourceTest, ContextNameErrors) {
    const auto errors = ErrorsOf(
        "topic bad-name\ntitle X\n"  // 1
        "topic Board\ntitle X\n"     // 3
        "topic board\ntitle X\n"     // 5
        "topic ab\ntitle X\n");      // 7
    EXPECT_TRUE(HasError(errors, "help.txt:1: bad context name 'bad-name'"));
    EXPECT_TRUE(HasError(errors,
                         "help.txt:5: duplicate context name 'board' (first used for "
                         "'Board' at line 3)"));
    EXPECT_EQ(errors.size(), 2u);
}

TEST(HelpSourceTest, NamesWithTheSameHashAreRefused) {
    // Names up to six characters are base-43 numbers and never collide; these two eight-letter
    // names (found by a search) wrap around to the same 32-bit hash.
    ASSERT_EQ(ReferenceHash("dvolkgqx"), ReferenceHash("sacpirpf"));
    const auto errors = ErrorsOf("topic dvolkgqx\ntitle X\ntopic sacpirpf\ntitle Y\n");
    EXPECT_TRUE(HasError(errors,
                         "help.txt:3: context name 'sacpirpf' has the same WinHelp hash "
                         "as 'dvolkgqx' (line 1)"));
    EXPECT_EQ(errors.size(), 1u);
}

TEST(HelpSourceTest, HelpIdErrors) {
    const auto errors = ErrorsOf(
        "topic a command:ID_NOWHERE resource:VERSION_NUMBERS menu:X 12abc 0 command:ID_APP_ABOUT\n"
        "title A\n"
        "topic b 0x1E140 0x5 5\n"
        "title B\n");
    EXPECT_TRUE(HasError(errors, "help.txt:1: unknown symbol 'ID_NOWHERE'"));
    EXPECT_TRUE(
        HasError(errors, "help.txt:1: symbol 'VERSION_NUMBERS' is not defined as a number"));
    EXPECT_TRUE(HasError(errors, "help.txt:1: unknown help id kind 'menu'"));
    EXPECT_TRUE(HasError(errors, "help.txt:1: bad help id '12abc'"));
    EXPECT_TRUE(HasError(errors, "help.txt:1: help id 0 is not allowed"));
    // 0x1E140 is command:ID_APP_ABOUT's id; 5 twice in one topic.
    EXPECT_TRUE(HasError(errors,
                         "help.txt:3: help id 0x0001E140 (0x1E140) already belongs to "
                         "topic 'a' (line 1)"));
    EXPECT_TRUE(HasError(errors,
                         "help.txt:3: help id 0x00000005 (5) already belongs to topic "
                         "'b' (line 3)"));
    EXPECT_EQ(errors.size(), 7u);
}

TEST(HelpSourceTest, MarkupErrors) {
    const auto errors = ErrorsOf(
        "topic a\ntitle A\n"
        "An *open bold\n"         // 3
        "  that never closes.\n"  // 4
        "\n"
        "A {link|nowhere} and {text|Target}.\n"  // 6
        "\n"
        "A {link without end\n"  // 8
        "\n"
        "A stray } and a \\q escape.\n"  // 10
        "\n"
        "Bold *across {the* link|a}.\n"  // 12
        "\n"
        "{|a} has no text. {bad name|a b}\n"  // 14
        "topic target\ntitle T\n");
    EXPECT_TRUE(HasError(errors, "help.txt:3: unclosed '*'"));
    EXPECT_TRUE(HasError(errors, "help.txt:6: link to unknown topic 'nowhere'"));
    EXPECT_TRUE(HasError(errors,
                         "help.txt:6: link to unknown topic 'Target' (did you mean "
                         "'target'?)"));
    EXPECT_TRUE(HasError(errors, "help.txt:8: unclosed link"));
    EXPECT_TRUE(HasError(errors, "help.txt:10: unmatched '}'"));
    EXPECT_TRUE(HasError(errors, "help.txt:10: unknown escape '\\q'"));
    EXPECT_TRUE(HasError(errors, "help.txt:12: bold text must start and end on the same side"));
    EXPECT_TRUE(HasError(errors, "help.txt:14: link to 'a' has no text"));
    EXPECT_TRUE(HasError(errors, "help.txt:14: bad link target 'a b'"));
    EXPECT_EQ(errors.size(), 9u) << ::testing::PrintToString(errors);
}

TEST(HelpSourceTest, EmptySourceAndEmptyItems) {
    EXPECT_TRUE(HasError(ErrorsOf("# nothing\n"), "help.txt:1: the source has no topics"));
    EXPECT_TRUE(HasError(ErrorsOf("topic a\ntitle A\n- \n"), "help.txt:3: empty bullet item"));
    EXPECT_TRUE(HasError(ErrorsOf("topic a\ntitle\n"), "help.txt:2: empty title"));
    EXPECT_TRUE(HasError(ErrorsOf("- early item\ntopic a\ntitle A\n"),
                         "help.txt:1: text before the first topic"));
}

TEST(HelpSourceTest, ContextNames) {
    EXPECT_TRUE(helpgen::IsValidContextName("Board_help.2"));
    EXPECT_FALSE(helpgen::IsValidContextName(""));
    EXPECT_FALSE(helpgen::IsValidContextName("a b"));
    EXPECT_FALSE(helpgen::IsValidContextName("caf\xe9"));
    EXPECT_FALSE(helpgen::IsValidContextName("a>b"));
}

}  // namespace
}  // namespace helpgen_test
