#include "tracker/title_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "support/reference_sort.h"
#include "support/test_code_pages.h"

namespace perch {
namespace {

using test::Dbcs932;
using test::Latin1;

// Note: a hex escape swallows every hex digit after it, so literals that continue with
// a letter or digit after "\xNN" are split ("\x82\x60" "A").

// True when pos is the start of a character (or the end) of text.
bool IsCharBoundary(const std::string& text, std::size_t pos, const CodePage& cp) {
    std::size_t i = 0;
    while (i < pos) {
        const bool pair = cp.IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return i == pos;
}

Settings Options(int paths, int first, int capitals, int numChars) {
    Settings s;
    s.Paths = paths;
    s.First = first;
    s.Capitals = capitals;
    s.NumChars = numChars;
    return s;
}

TEST(CharSearch, NeverMatchesATrailByte) {
    const std::string text =
        "\x95\x5C"
        "a\\b\x95\x5C";
    EXPECT_EQ(FindChar(text, '\\', Dbcs932()), 3u);
    EXPECT_EQ(FindLastChar(text, '\\', Dbcs932()), 3u);
    EXPECT_EQ(FindChar(text, '\\', Latin1()), 1u);
    EXPECT_EQ(FindLastChar(text, '\\', Latin1()), 6u);
    EXPECT_EQ(FindChar("\x95\x5C", '\\', Dbcs932()), kNotFound);
    EXPECT_EQ(FindChar("", '\\', Dbcs932()), kNotFound);
    // A lead byte as the last byte is a character of its own and is not read past.
    EXPECT_EQ(FindChar(std::string("ab\x81"), '\x81', Dbcs932()), 2u);
    EXPECT_EQ(FindLastChar(std::string("\x81"), 'x', Dbcs932()), kNotFound);

    // FindText only starts at character boundaries.
    EXPECT_EQ(FindText("\x81 & x & ", " & ", Dbcs932()), 5u);
    EXPECT_EQ(FindText("\x81 & x & ", " & ", Latin1()), 1u);
    EXPECT_EQ(FindText("abc", "", Dbcs932()), 0u);
    EXPECT_EQ(FindText("ab", "abc", Dbcs932()), kNotFound);
    EXPECT_EQ(FindText("xabc", "abc", Dbcs932()), 1u);
}

TEST(CharSearch, SafeCutLengthNeverSplitsACharacter) {
    const std::string text =
        "ab\x82\x60"
        "c";
    EXPECT_EQ(SafeCutLength(text, 2, Dbcs932()), 2u);
    EXPECT_EQ(SafeCutLength(text, 3, Dbcs932()), 2u);  // would split: cut before the lead
    EXPECT_EQ(SafeCutLength(text, 4, Dbcs932()), 4u);
    EXPECT_EQ(SafeCutLength(text, 3, Latin1()), 3u);
    EXPECT_EQ(SafeCutLength(text, 99, Dbcs932()), 5u);
    EXPECT_EQ(SafeCutLength("\x82\x60", 1, Dbcs932()), 0u);
    EXPECT_EQ(SafeCutLength(std::string("a\x81"), 2, Dbcs932()), 2u);  // lone lead at end
}

TEST(CharSearch, LoneAmpersand) {
    EXPECT_TRUE(HasLoneAmpersand("&File", Latin1()));
    EXPECT_TRUE(HasLoneAmpersand("Save&", Latin1()));
    EXPECT_TRUE(HasLoneAmpersand("a &b", Latin1()));
    EXPECT_FALSE(HasLoneAmpersand("Tom & Jerry", Latin1()));
    EXPECT_FALSE(HasLoneAmpersand("Tom & Jerry &Edit", Latin1()));
    EXPECT_FALSE(HasLoneAmpersand("Plain", Latin1()));
    EXPECT_FALSE(HasLoneAmpersand("", Latin1()));
    // "\x81&" is one character in 932, so there is no ampersand at all.
    EXPECT_FALSE(HasLoneAmpersand("\x81&", Dbcs932()));
    EXPECT_TRUE(HasLoneAmpersand("\x81&", Latin1()));
}

TEST(CleanDocumentTitle, DropsWindowNumberAndLeadingBlanksOnly) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(CleanDocumentTitle("3> Budget.xls", cp), "Budget.xls");
    EXPECT_EQ(CleanDocumentTitle("  Letter.doc  ", cp), "Letter.doc  ");
    EXPECT_EQ(CleanDocumentTitle("a>b>c", cp), "b>c");
    EXPECT_EQ(CleanDocumentTitle("a> \tb", cp), "\tb");  // a blank is the space only
    EXPECT_EQ(CleanDocumentTitle("", cp), "");
    EXPECT_EQ(CleanDocumentTitle("     ", cp), "");
    EXPECT_EQ(CleanDocumentTitle(">", cp), "");
    EXPECT_EQ(CleanDocumentTitle("Memo>", cp), "");
}

TEST(CleanDocumentTitle, GreaterThanAsTrailByteIsNotAMarker) {
    const std::string title = "\x81>x> y";
    EXPECT_EQ(CleanDocumentTitle(title, Dbcs932()), "y");
    EXPECT_EQ(CleanDocumentTitle(title, Latin1()), "x> y");
    EXPECT_EQ(CleanDocumentTitle("\x81>", Dbcs932()), "\x81>");
    EXPECT_EQ(CleanDocumentTitle(std::string(" \x81"), Dbcs932()), "\x81");
}

TEST(ExtractAppName, PicksTheApplicationPart) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(ExtractAppName("File Manager - [C:\\WINDOWS\\*.*]", cp), "File Manager");
    EXPECT_EQ(ExtractAppName("Spreadsheet - Book1", cp), "Spreadsheet");
    EXPECT_EQ(ExtractAppName("NOTES.TXT - Editor", cp), "Editor");
    EXPECT_EQ(ExtractAppName("C:\\A-B\\X.TXT - Viewer", cp), "Viewer");
    EXPECT_EQ(ExtractAppName("a.b - Mid - Last ", cp), "Last");
    EXPECT_EQ(ExtractAppName("Editor", cp), "Editor");
    EXPECT_EQ(ExtractAppName("-Editor", cp), "-Editor");
    EXPECT_EQ(ExtractAppName("Spreadsheet [Book1]", cp), "Spreadsheet");
    EXPECT_EQ(ExtractAppName("[Book1]", cp), "[Book1]");
    EXPECT_EQ(ExtractAppName("  App  [x] - y", cp), "App");
    EXPECT_EQ(ExtractAppName("", cp), "");
    EXPECT_EQ(ExtractAppName("    ", cp), "");
    EXPECT_EQ(ExtractAppName("-", cp), "-");
    EXPECT_EQ(ExtractAppName("x.y -", cp), "");
    EXPECT_EQ(ExtractAppName(">", cp), ">");
}

TEST(ExtractAppName, TrailBytesAreNotSeparators) {
    // '-' as a trail byte: the first real dash comes later.
    EXPECT_EQ(ExtractAppName("\x81-AB - Ed", Dbcs932()), "\x81-AB");
    EXPECT_EQ(ExtractAppName("\x81-AB - Ed", Latin1()), "\x81");
    // '\' and '.' as trail bytes do not make the left part a path.
    EXPECT_EQ(ExtractAppName("\x95\x5C - Ed", Dbcs932()), "\x95\x5C");
    EXPECT_EQ(ExtractAppName("\x95\x5C - Ed", Latin1()), "Ed");
    EXPECT_EQ(ExtractAppName("\x81. - Ed", Dbcs932()), "\x81.");
    // '[' as a trail byte does not cut.
    EXPECT_EQ(ExtractAppName("Ap\x81[x]", Dbcs932()), "Ap\x81[x]");
    EXPECT_EQ(ExtractAppName("Ap\x81[x]", Latin1()), "Ap\x81");
    // A blank that is a trail byte is not trimmed.
    EXPECT_EQ(ExtractAppName("Ed\x81 ", Dbcs932()), "Ed\x81 ");
    EXPECT_EQ(ExtractAppName("Ed\x81 ", Latin1()), "Ed\x81");
    // A lead byte at the very end.
    EXPECT_EQ(ExtractAppName("Ed - \x81", Dbcs932()), "Ed");
    EXPECT_EQ(ExtractAppName("x.y - \x81", Dbcs932()), "\x81");
}

TEST(FileNameOnly, DropsTheDirectory) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(FileNameOnly("C:\\DOCS\\REPORT.DOC", cp), "REPORT.DOC");
    EXPECT_EQ(FileNameOnly("Memo - C:\\DOCS\\A.TXT", cp), "Memo - A.TXT");
    EXPECT_EQ(FileNameOnly("Book1", cp), "Book1");
    EXPECT_EQ(FileNameOnly("\\\\SERVER\\SHARE\\B.TXT", cp), "B.TXT");
    EXPECT_EQ(FileNameOnly("DOCS\\A.TXT", cp), "DOCSA.TXT");
    EXPECT_EQ(FileNameOnly(".PROFILE", cp), "PROFILE");
    EXPECT_EQ(FileNameOnly("D:\\", cp), "");
    EXPECT_EQ(FileNameOnly("X\\a", cp), "a");       // first backslash at 1: no prefix
    EXPECT_EQ(FileNameOnly(":\\a", cp), "a");       // ditto
    EXPECT_EQ(FileNameOnly("AB:\\x", cp), "Ax");    // drive letter and colon go
    EXPECT_EQ(FileNameOnly("A:B\\x", cp), "A:Bx");  // colon not at the end stays
    EXPECT_EQ(FileNameOnly("C:\\..\\...", cp), "");
    EXPECT_EQ(FileNameOnly("C:\\a\\..b.c", cp), "b.c");
    EXPECT_EQ(FileNameOnly("", cp), "");
    EXPECT_EQ(FileNameOnly("\\", cp), "");
}

TEST(FileNameOnly, BackslashTrailBytesStayInTheName) {
    EXPECT_EQ(FileNameOnly("C:\\\x95\x5C", Dbcs932()), "\x95\x5C");
    EXPECT_EQ(FileNameOnly("C:\\\x95\x5C", Latin1()), "");
    EXPECT_EQ(FileNameOnly("\x95\x5C.txt", Dbcs932()), "\x95\x5C.txt");
    EXPECT_EQ(FileNameOnly("\x95\x5C.txt", Latin1()), "txt");
    // A double-byte character before the colon goes whole; a colon trail byte is not one.
    EXPECT_EQ(FileNameOnly("\x82\x60:\\a", Dbcs932()), "a");
    EXPECT_EQ(FileNameOnly("\x81:\\a", Dbcs932()), "\x81:a");
    EXPECT_EQ(FileNameOnly("\x81:\\a", Latin1()), "a");
    EXPECT_EQ(FileNameOnly(std::string("C:\\\x81"), Dbcs932()), "\x81");
}

TEST(NameBeforePath, PutsTheNameFirst) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(NameBeforePath("C:\\DOCS\\REPORT.DOC", cp), "REPORT.DOC C:\\DOCS");
    EXPECT_EQ(NameBeforePath("C:\\README.TXT", cp), "README.TXT C:\\");
    EXPECT_EQ(NameBeforePath("C:\\WINDOWS\\*.*", cp), "*.* C:\\WINDOWS");
    EXPECT_EQ(NameBeforePath("Memo - C:\\X\\Y.TXT", cp), "Memo - Y.TXT C:\\X");
    EXPECT_EQ(NameBeforePath("Book1", cp), "Book1");
    EXPECT_EQ(NameBeforePath("D:\\", cp), " D:\\");
    EXPECT_EQ(NameBeforePath("\\\\SERVER\\SHARE\\B.TXT", cp), "\\\\SERVER\\SHARE\\B.TXT");
    EXPECT_EQ(NameBeforePath("", cp), "");
    // One byte before the first backslash: the path starts at 0 and runs one byte past
    // the last backslash.
    EXPECT_EQ(NameBeforePath("X\\foo", cp), "foo X\\f");
    EXPECT_EQ(NameBeforePath("X\\", cp), " X\\");
    EXPECT_EQ(NameBeforePath("X\\a\\b", cp), "b X\\a\\");
}

TEST(NameBeforePath, DoubleByteCharactersStayWhole) {
    // The drive position lands on a trail byte: the path starts at its lead byte.
    const std::string title = "\x82\xA0:\\d\\f";
    EXPECT_EQ(NameBeforePath(title, Dbcs932()), "f \x82\xA0:\\d");
    EXPECT_EQ(NameBeforePath(title, Latin1()),
              "\x82"
              "f \xA0:\\d");
    // A backslash trail byte is part of the name.
    EXPECT_EQ(NameBeforePath("C:\\D\\\x95\x5C", Dbcs932()), "\x95\x5C C:\\D");
    EXPECT_EQ(NameBeforePath("C:\\D\\\x95\x5C", Latin1()), " C:\\D\\\x95");
    EXPECT_EQ(NameBeforePath("\x95\x5C", Dbcs932()), "\x95\x5C");
    // The one-past-the-backslash byte would split a character: it is left out.
    EXPECT_EQ(NameBeforePath("X\\\x82\x60", Dbcs932()), "\x82\x60 X\\");
    EXPECT_EQ(NameBeforePath("X\\\x82\x60", Latin1()), "\x82\x60 X\\\x82");
    EXPECT_EQ(NameBeforePath(std::string("C:\\\x81"), Dbcs932()), "\x81 C:\\");
}

TEST(FileType, UpToThreeBytesAfterTheFirstDot) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(FileType("REPORT.DOC", cp), "DOC");
    EXPECT_EQ(FileType("a.tar.gz", cp), "tar");
    EXPECT_EQ(FileType("README", cp), "");
    EXPECT_EQ(FileType("a.", cp), "");
    EXPECT_EQ(FileType(".", cp), "");
    EXPECT_EQ(FileType("", cp), "");
    EXPECT_EQ(FileType("x.html", cp), "htm");

    EXPECT_EQ(FileType("a.b\x82\x60", Dbcs932()), "b\x82\x60");
    EXPECT_EQ(FileType("a.bc\x82\x60", Dbcs932()), "bc");  // no half character
    EXPECT_EQ(FileType("a.bc\x82\x60", Latin1()), "bc\x82");
    EXPECT_EQ(FileType("x\x81.y", Dbcs932()), "");  // the dot is a trail byte
    EXPECT_EQ(FileType("x\x81.y", Latin1()), "y");
    EXPECT_EQ(FileType(std::string("a.b\x81"), Dbcs932()), "b\x81");
}

TEST(DisplayText, PathOptionsAndFileManager) {
    const CodePage& cp = Latin1();
    const std::string title = "C:\\DOCS\\REPORT.DOC";
    EXPECT_EQ(DisplayText(title, Options(0, 1, 1, 0), "Editor", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText(title, Options(1, 0, 1, 0), "Editor", cp), "REPORT.DOC C:\\DOCS");
    EXPECT_EQ(DisplayText(title, Options(1, 1, 1, 0), "Editor", cp), title);
    // "File Manager" keeps its paths, compared exactly.
    EXPECT_EQ(DisplayText(title, Options(0, 1, 1, 0), "File Manager", cp), title);
    EXPECT_EQ(DisplayText(title, Options(0, 0, 1, 0), "File Manager", cp), "REPORT.DOC C:\\DOCS");
    EXPECT_EQ(DisplayText(title, Options(0, 1, 1, 0), "file manager", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText(title, Options(0, 1, 1, 0), "File Manager ", cp), "REPORT.DOC");
    // A folder's window has no file name: its whole title is shown rather than nothing.
    EXPECT_EQ(DisplayText("Z:\\", Options(0, 1, 1, 0), "Wine File Manager", cp), "Z:\\");
    EXPECT_EQ(DisplayText("C:\\DOCS\\", Options(0, 1, 2, 4), "Editor", cp), "C:\\D");
}

TEST(DisplayText, LetterCaseAndLength) {
    const CodePage& cp = Latin1();
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 5), "", cp), "REPOR");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 0), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, -4), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 10), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 0, 20), "", cp), "report.doc");
    EXPECT_EQ(DisplayText("Caf\xE9\xF7.txt", Options(0, 1, 2, 20), "", cp), "CAF\xC9\xF7.TXT");
    EXPECT_EQ(DisplayText("CAF\xC9\xD7", Options(0, 1, 0, 20), "", cp), "caf\xE9\xD7");
    EXPECT_EQ(DisplayText("MiXed", Options(0, 1, 3, 20), "", cp), "MiXed");
    EXPECT_EQ(DisplayText("MiXed", Options(0, 1, -1, 20), "", cp), "MiXed");
    // Case first, then the cut: lower-casing keeps the length.
    EXPECT_EQ(DisplayText("C:\\X\\ABCDEF", Options(0, 1, 0, 3), "", cp), "abc");

    // The case mapping is the code page's: a trail byte 'a' is not upper-cased.
    const CodePage& dbcs = Dbcs932();
    EXPECT_EQ(DisplayText("\x82\x81\x82\x61"
                          "b",
                          Options(0, 1, 2, 0), "", dbcs),
              "\x82\x60\x82\x61"
              "B");
    // The cut falls before a lead byte rather than between lead and trail.
    EXPECT_EQ(DisplayText("ab\x82\x60"
                          "c",
                          Options(0, 1, 1, 3), "", dbcs),
              "ab");
    EXPECT_EQ(DisplayText("ab\x82\x60"
                          "c",
                          Options(0, 1, 1, 4), "", dbcs),
              "ab\x82\x60");
    EXPECT_EQ(DisplayText("ab\x82\x60"
                          "c",
                          Options(0, 1, 1, 3), "", cp),
              "ab\x82");
}

TEST(CompareTitles, FoldsOnlyAToZAndComparesUnsigned) {
    const CodePage& cp = Latin1();
    EXPECT_LT(CompareTitles("_x", "Zx", cp), 0);
    EXPECT_GT(CompareTitles("Zx", "_x", cp), 0);
    EXPECT_EQ(CompareTitles("Budget.XLS", "budget.xls", cp), 0);
    EXPECT_TRUE(TitlesEqual("Budget.XLS", "bUDGET.xls", cp));
    EXPECT_FALSE(TitlesEqual("Budget", "Budget ", cp));
    EXPECT_LT(CompareTitles("ab", "ABC", cp), 0);
    EXPECT_LT(CompareTitles("", "a", cp), 0);
    EXPECT_LT(CompareTitles("", " ", cp), 0);
    EXPECT_EQ(CompareTitles("", "", cp), 0);
    EXPECT_GT(CompareTitles("\xE9", "z", cp), 0);  // unsigned: 0xE9 above 'z'
    EXPECT_GT(CompareTitles("\x80", "\x7F", cp), 0);
    EXPECT_FALSE(TitlesEqual("\xC9", "\xE9", cp));  // only A-Z fold
    EXPECT_LT(CompareTitles("\xC9", "\xE9", cp), 0);
    EXPECT_LT(CompareTitles("[", "a", cp), 0);  // '[' sits between 'Z' and 'a'
    EXPECT_LT(CompareTitles("[", "A", cp), 0);  // folded to 'a', not 'A' below '['
    EXPECT_LT(CompareTitles("a", "Z", cp), 0);  // unfolded, 0x61 would follow 0x5A
}

TEST(CompareTitles, DoubleByteCharactersAreOneFoldedCode) {
    const CodePage& cp = Dbcs932();
    // Full-width A and a fold together.
    EXPECT_TRUE(
        TitlesEqual("\x82\x60"
                    "x",
                    "\x82\x81"
                    "X",
                    cp));
    // A trail byte 'A' is not an ASCII letter: 0x8141 and 0x8161 differ.
    EXPECT_FALSE(
        TitlesEqual("\x81"
                    "A",
                    "\x81"
                    "a",
                    cp));
    EXPECT_TRUE(
        TitlesEqual("\x81"
                    "A",
                    "\x81"
                    "a",
                    Latin1()));
    // The double-byte code 0x82xx is above the single byte 0xA0, though 0x82 < 0xA0.
    EXPECT_GT(CompareTitles("\x82\x60", "\xA0", cp), 0);
    EXPECT_LT(CompareTitles("\x82\x60", "\xA0", Latin1()), 0);
    // A lead byte at the end is a character by itself.
    EXPECT_EQ(CompareTitles(std::string("a\x81"), std::string("a\x81"), cp), 0);
    EXPECT_LT(CompareTitles(std::string("a\x81"), "a\x81\x40", cp), 0);
    EXPECT_GT(CompareTitles("a\x81\x40", std::string("a\x81"), cp), 0);
    EXPECT_LT(CompareTitles(std::string("\x81"), "\x81\x40", cp), 0);
}

TEST(SortTitles, OrdersByTheChosenKeys) {
    const CodePage& cp = Latin1();
    std::vector<std::string> byType = {"B.TXT", "A.DOC", "C"};
    SortTitles(byType, kSortFileType, cp);
    EXPECT_EQ(byType, (std::vector<std::string>{"C", "A.DOC", "B.TXT"}));

    const std::vector<std::string> paths = {"C:\\Z\\A.TXT", "B.TXT", "C:\\B\\A.TXT", "a.doc"};
    std::vector<std::string> byName = paths;
    SortTitles(byName, kSortFileName, cp);
    EXPECT_EQ(byName, (std::vector<std::string>{"a.doc", "C:\\B\\A.TXT", "C:\\Z\\A.TXT", "B.TXT"}));
    std::vector<std::string> byTitle = paths;
    SortTitles(byTitle, kSortFullTitle, cp);
    EXPECT_EQ(byTitle,
              (std::vector<std::string>{"a.doc", "B.TXT", "C:\\B\\A.TXT", "C:\\Z\\A.TXT"}));
    std::vector<std::string> typeThenName = paths;
    SortTitles(typeThenName, kSortFileType, cp);
    EXPECT_EQ(typeThenName,
              (std::vector<std::string>{"a.doc", "C:\\B\\A.TXT", "C:\\Z\\A.TXT", "B.TXT"}));

    // Out-of-range values order by file name.
    for (const int odd : {-1, 3, 99}) {
        std::vector<std::string> list = paths;
        SortTitles(list, odd, cp);
        EXPECT_EQ(list, byName) << "Sort " << odd;
    }

    // Case variants and exact duplicates keep their scan order; empty titles go first.
    std::vector<std::string> variants = {"b.TXT", "", "A.txt", "B.txt", "a.TXT", ""};
    SortTitles(variants, kSortFileName, cp);
    EXPECT_EQ(variants, (std::vector<std::string>{"", "", "A.txt", "a.TXT", "b.TXT", "B.txt"}));

    std::vector<std::string> none;
    SortTitles(none, kSortFileType, cp);
    EXPECT_TRUE(none.empty());
}

TEST(SortTitles, DisplayOptionsDoNotChangeTheOrder) {
    // With Capitals 0, 'b.txt' still sorts after 'A.TXT', shown as 'a.txt'.
    std::vector<std::string> list = {"b.txt", "A.TXT"};
    SortTitles(list, kSortFileName, Latin1());
    ASSERT_EQ(list, (std::vector<std::string>{"A.TXT", "b.txt"}));
    EXPECT_EQ(DisplayText(list[0], Options(0, 1, 0, 20), "", Latin1()), "a.txt");
    EXPECT_EQ(DisplayText(list[1], Options(0, 1, 0, 20), "", Latin1()), "b.txt");
}

std::vector<std::string> RandomTitles(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "a",        "A",        "b",        "B",     "z",    "_",   ".",  ".",    "\\",
        "\\",       "C:",       "x:",       " ",     "-",    "[",   "~",  "\xE9", "\xC9",
        "\x82\x60", "\x82\x81", "\x95\x5C", "\x81.", "\x81", "doc", "TXT"};
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::vector<std::string> titles;
    const int n = count(rng);
    for (int i = 0; i < n; ++i) {
        if (!titles.empty() && rng() % 4 == 0) {
            // A duplicate or a case variant of an earlier title.
            std::string copy = titles[rng() % titles.size()];
            if (rng() % 2 == 0) {
                Latin1().ToUpper(copy);
            }
            titles.push_back(copy);
            continue;
        }
        std::string title;
        const int len = length(rng);
        for (int k = 0; k < len; ++k) {
            title += pieces[piece(rng)];
        }
        titles.push_back(title);
    }
    return titles;
}

TEST(SortTitles, AgreesWithTheRepeatedExchangeSort) {
    std::mt19937 rng(20240611);
    const CodePage* pages[] = {&Latin1(), &Dbcs932()};
    for (int round = 0; round < 1500; ++round) {
        const std::vector<std::string> titles = RandomTitles(rng);
        for (const CodePage* cp : pages) {
            for (const int sort : {0, 1, 2, 5}) {
                std::vector<std::string> expected = titles;
                test::ReferenceSortTitles(expected, sort, *cp);
                std::vector<std::string> actual = titles;
                SortTitles(actual, sort, *cp);
                ASSERT_EQ(actual, expected) << "round " << round << ", Sort " << sort;
            }
        }
    }
}

TEST(BadInput, EveryRuleCopesWithOddTitles) {
    std::string highBytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        highBytes.push_back(static_cast<char>(b));
    }
    const std::vector<std::string> inputs = {
        "",
        "     ",
        ">",
        std::string(255, 'x'),
        std::string(10000, '\\'),
        std::string(5000, '.') + ">" + std::string(4999, ' '),
        highBytes,
        highBytes + "\\" + highBytes,
        std::string("C:\\DOCS\\\x81"),
        std::string("\x81"),
        "\x95\x5C\x81>\x81.\x81-\x81[",
    };
    const CodePage* pages[] = {&Latin1(), &Dbcs932()};
    for (const CodePage* cp : pages) {
        for (const std::string& in : inputs) {
            const std::string clean = CleanDocumentTitle(in, *cp);
            EXPECT_EQ(in.compare(in.size() - clean.size(), clean.size(), clean), 0);
            EXPECT_TRUE(clean.empty() || clean[0] != ' ');

            const std::string app = ExtractAppName(in, *cp);
            EXPECT_NE(in.find(app), std::string::npos);
            EXPECT_TRUE(app.empty() || app[0] != ' ');

            const std::string name = FileNameOnly(in, *cp);
            EXPECT_LE(name.size(), in.size());
            EXPECT_LE(FileType(name, *cp).size(), 3u);
            // The same bytes rearranged, plus one blank when a backslash moved the name.
            const std::string nbp = NameBeforePath(in, *cp);
            EXPECT_LE(nbp.size(), in.size() + 2);

            for (const int limit : {0, 1, 7, 60}) {
                for (const int caps : {0, 1, 2}) {
                    const Settings s = Options(1, 1, caps, limit);
                    const std::string shown = DisplayText(in, s, "Editor", *cp);
                    std::string whole = in;
                    if (caps == 2) {
                        cp->ToUpper(whole);
                    } else if (caps == 0) {
                        cp->ToLower(whole);
                    }
                    ASSERT_EQ(whole.compare(0, shown.size(), shown), 0);
                    if (limit > 0) {
                        EXPECT_LE(shown.size(), static_cast<std::size_t>(limit));
                        EXPECT_TRUE(IsCharBoundary(whole, shown.size(), *cp));
                        EXPECT_GE(shown.size() + 1, std::min<std::size_t>(whole.size(), limit));
                    } else {
                        EXPECT_EQ(shown, whole);
                    }
                }
            }
            EXPECT_EQ(CompareTitles(in, in, *cp), 0);
        }
    }
}

TEST(BadInput, LongTitlesGiveExactResults) {
    const CodePage& cp = Dbcs932();
    const std::string big = std::string(5000, 'x') + "\\" + std::string(4999, 'y');
    EXPECT_EQ(FileNameOnly(big, cp), std::string(5000, 'x') + std::string(4999, 'y'));
    EXPECT_EQ(NameBeforePath(big, cp), std::string(4998, 'x') + std::string(4999, 'y') + " xx\\");
    EXPECT_EQ(CleanDocumentTitle(std::string(255, ' ') + "a", cp), "a");
    EXPECT_EQ(FileNameOnly(std::string(10000, '\\'), cp), "");
    EXPECT_EQ(ExtractAppName(std::string(10000, '-'), cp), std::string(10000, '-'));

    // 0x80..0xFF in 932: 0xFD-0xFF and 0x80, 0xA0-0xDF are single, the rest pairs.
    std::string highBytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        highBytes.push_back(static_cast<char>(b));
    }
    const std::string shown = DisplayText(highBytes, Options(1, 1, 1, 2), "", cp);
    EXPECT_EQ(shown, "\x80");  // 0x81 0x82 is one character and does not fit
}

}  // namespace
}  // namespace perch
