#include "tracker/title_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "support/reference_sort.h"
#include "platform/code_page.h"

namespace perch {
namespace {

// Titles in other scripts, in UTF-8. A hex escape swallows every hex digit after it, so
// literals that continue with a letter or digit after "\xNN" are split.
const std::string kTokyo = "\xE6\x9D\xB1\xE4\xBA\xAC";                      // 東京
const std::string kMoscow = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";  // Москва
const std::string kMoscowUpper = "\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90";  // МОСКВА
const std::string kOmega = "\xCE\xA9";                                        // Ω
const std::string kOmegaLower = "\xCF\x89";                                   // ω
const std::string kPage = "\xF0\x9F\x93\x84";                                // 📄
const std::string kE = "\xC3\xA9";                                            // é
const std::string kEUpper = "\xC3\x89";                                       // É

// True when pos is the start of a character (or the end) of text.
bool IsCharBoundary(const std::string& text, std::size_t pos, const CodePage& cp) {
    std::size_t i = 0;
    while (i < pos) {
        i += cp.CharLength(text, i);
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

TEST(CharSearch, FindsOnlyWholeCharacters) {
    const CodePage& cp = Utf8Text();
    const std::string text = kTokyo + "\\" + kMoscow + "\\b";
    EXPECT_EQ(FindChar(text, '\\', cp), 6u);
    EXPECT_EQ(FindLastChar(text, '\\', cp), 19u);
    EXPECT_EQ(FindChar("", '\\', cp), kNotFound);
    // An ill-formed byte is a character of its own, and is not read past.
    EXPECT_EQ(FindChar(std::string("ab\xE6"), '\xE6', cp), 2u);
    EXPECT_EQ(FindLastChar(std::string("\xE6\x9D"), 'x', cp), kNotFound);
    // A truncated sequence ends where an ASCII byte begins: the ASCII byte is found.
    EXPECT_EQ(FindChar(std::string("\xE6\x9D" ">x"), '>', cp), 2u);

    // FindText only starts at character boundaries, and matches whole characters.
    EXPECT_EQ(FindText(kTokyo + " & x & ", " & ", cp), 6u);
    EXPECT_EQ(FindText(kTokyo, "\x9D\xB1", cp), kNotFound);  // inside a character
    EXPECT_EQ(FindText(kMoscow + kTokyo, kTokyo, cp), 12u);
    EXPECT_EQ(FindText("abc", "", cp), 0u);
    EXPECT_EQ(FindText("ab", "abc", cp), kNotFound);
    EXPECT_EQ(FindText("xabc", "abc", cp), 1u);
}

TEST(CharSearch, CutsAtEveryLengthKeepWholeCharacters) {
    const CodePage& cp = Utf8Text();
    // One-, two-, three- and four-byte characters, each cut at every count.
    const std::string text = "a" + kE + kTokyo.substr(0, 3) + kPage + "z";
    const std::size_t ends[] = {0, 1, 3, 6, 10, 11};
    for (std::size_t chars = 0; chars <= 7; ++chars) {
        const std::size_t cutAt = SafeCutLength(text, chars, cp);
        EXPECT_EQ(cutAt, ends[std::min<std::size_t>(chars, 5)]) << chars;
        EXPECT_TRUE(IsCharBoundary(text, cutAt, cp));
    }
    EXPECT_EQ(SafeCutLength(text, 99, cp), text.size());
    EXPECT_EQ(SafeCutLength("", 3, cp), 0u);
    // An ill-formed sequence counts as one character and is kept whole.
    EXPECT_EQ(SafeCutLength(std::string("\xF0\x9F\x93" "ab"), 1, cp), 3u);
    EXPECT_EQ(SafeCutLength(std::string("\xFF\xFE"), 1, cp), 1u);
    EXPECT_EQ(SafeCutLength(std::string("a\xE6"), 2, cp), 2u);  // truncated at the end
}

TEST(CharSearch, LoneAmpersand) {
    EXPECT_TRUE(HasLoneAmpersand("&File", Utf8Text()));
    EXPECT_TRUE(HasLoneAmpersand("Save&", Utf8Text()));
    EXPECT_TRUE(HasLoneAmpersand("a &b", Utf8Text()));
    EXPECT_FALSE(HasLoneAmpersand("Tom & Jerry", Utf8Text()));
    EXPECT_FALSE(HasLoneAmpersand("Tom & Jerry &Edit", Utf8Text()));
    EXPECT_FALSE(HasLoneAmpersand("Plain", Utf8Text()));
    EXPECT_FALSE(HasLoneAmpersand("", Utf8Text()));
    EXPECT_TRUE(HasLoneAmpersand(kTokyo + "&" + kMoscow, Utf8Text()));
    EXPECT_FALSE(HasLoneAmpersand(kTokyo + " & " + kMoscow, Utf8Text()));
}

TEST(CleanDocumentTitle, DropsWindowNumberAndLeadingBlanksOnly) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(CleanDocumentTitle("3> Budget.xls", cp), "Budget.xls");
    EXPECT_EQ(CleanDocumentTitle("  Letter.doc  ", cp), "Letter.doc  ");
    EXPECT_EQ(CleanDocumentTitle("a>b>c", cp), "b>c");
    EXPECT_EQ(CleanDocumentTitle("a> \tb", cp), "\tb");  // a blank is the space only
    EXPECT_EQ(CleanDocumentTitle("", cp), "");
    EXPECT_EQ(CleanDocumentTitle("     ", cp), "");
    EXPECT_EQ(CleanDocumentTitle(">", cp), "");
    EXPECT_EQ(CleanDocumentTitle("Memo>", cp), "");
}

TEST(CleanDocumentTitle, OtherScriptsAndBadBytes) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(CleanDocumentTitle("3> " + kTokyo + ".txt", cp), kTokyo + ".txt");
    EXPECT_EQ(CleanDocumentTitle(kMoscow + ">x> y", cp), "x> y");
    EXPECT_EQ(CleanDocumentTitle(std::string(" \xE6"), cp), "\xE6");
}

TEST(ExtractAppName, PicksTheApplicationPart) {
    const CodePage& cp = Utf8Text();
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

TEST(ExtractAppName, OtherScripts) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(ExtractAppName(kTokyo + ".txt - " + kMoscow + " [1]", cp), kMoscow);
    EXPECT_EQ(ExtractAppName(kMoscow + " - " + kTokyo + ".txt", cp), kMoscow);
    EXPECT_EQ(ExtractAppName(kOmega + "mega \xE2\x80\x93 x", cp), kOmega + "mega \xE2\x80\x93 x");
    EXPECT_EQ(ExtractAppName(std::string("Ed - \xE6"), cp), "Ed");
    EXPECT_EQ(ExtractAppName(std::string("x.y - \xE6"), cp), "\xE6");
}

TEST(FileNameOnly, DropsTheDirectory) {
    const CodePage& cp = Utf8Text();
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

TEST(FileNameOnly, NonAsciiFoldersAndDrives) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(FileNameOnly("C:\\" + kMoscow + "\\" + kTokyo + ".txt", cp), kTokyo + ".txt");
    EXPECT_EQ(FileNameOnly(kPage + " - C:\\" + kTokyo + "\\a.txt", cp), kPage + " - a.txt");
    // A "drive letter" of several bytes goes whole with its colon.
    EXPECT_EQ(FileNameOnly("x" + kOmega + ":\\a", cp), "xa");
    EXPECT_EQ(FileNameOnly(kOmega + ":\\a", cp), "a");
    EXPECT_EQ(FileNameOnly(std::string("C:\\\xE6"), cp), "\xE6");
}

TEST(NameBeforePath, PutsTheNameFirst) {
    const CodePage& cp = Utf8Text();
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

TEST(NameBeforePath, NonAsciiFoldersStayWhole) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(NameBeforePath("C:\\" + kMoscow + "\\" + kTokyo + ".txt", cp),
              kTokyo + ".txt C:\\" + kMoscow);
    // The drive "letter" is the character two before the first backslash, taken whole.
    EXPECT_EQ(NameBeforePath("x" + kOmega + ":\\d\\f", cp), "xf " + kOmega + ":\\d");
    // One character in front: the path reaches one whole character past the last backslash.
    EXPECT_EQ(NameBeforePath(kOmega + "\\" + kTokyo, cp), kTokyo + " " + kOmega + "\\" + kTokyo.substr(0, 3));
    EXPECT_EQ(NameBeforePath(kPage + "\\", cp), " " + kPage + "\\");
}

TEST(FileType, UpToThreeCharactersAfterTheFirstDot) {
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(FileType("REPORT.DOC", cp), "DOC");
    EXPECT_EQ(FileType("a.tar.gz", cp), "tar");
    EXPECT_EQ(FileType("README", cp), "");
    EXPECT_EQ(FileType("a.", cp), "");
    EXPECT_EQ(FileType(".", cp), "");
    EXPECT_EQ(FileType("", cp), "");
    EXPECT_EQ(FileType("x.html", cp), "htm");

    EXPECT_EQ(FileType("a." + kTokyo + "x", cp), kTokyo + "x");  // three characters
    EXPECT_EQ(FileType("a." + kMoscow, cp), kMoscow.substr(0, 6));
    EXPECT_EQ(FileType("a.b" + kPage + kPage + kPage, cp), "b" + kPage + kPage);
    EXPECT_EQ(FileType(std::string("a.b\xE6"), cp), "b\xE6");
}

TEST(DisplayText, PathOptionsAndFileManager) {
    const CodePage& cp = Utf8Text();
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
    const CodePage& cp = Utf8Text();
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 5), "", cp), "REPOR");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 0), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, -4), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 1, 10), "", cp), "REPORT.DOC");
    EXPECT_EQ(DisplayText("REPORT.DOC", Options(0, 1, 0, 20), "", cp), "report.doc");
    EXPECT_EQ(DisplayText("MiXed", Options(0, 1, 3, 20), "", cp), "MiXed");
    EXPECT_EQ(DisplayText("MiXed", Options(0, 1, -1, 20), "", cp), "MiXed");
    // Case first, then the cut: lower-casing keeps the length.
    EXPECT_EQ(DisplayText("C:\\X\\ABCDEF", Options(0, 1, 0, 3), "", cp), "abc");

    // Whole characters: Latin, Greek and Cyrillic letters change case; others stay.
    EXPECT_EQ(DisplayText("Caf" + kE + "\xC3\xB7.txt", Options(0, 1, 2, 20), "", cp),
              "CAF" + kEUpper + "\xC3\xB7.TXT");  // the division sign stays
    EXPECT_EQ(DisplayText(kMoscow + ".doc", Options(0, 1, 2, 0), "", cp), kMoscowUpper + ".DOC");
    EXPECT_EQ(DisplayText(kMoscowUpper, Options(0, 1, 0, 0), "", cp), "\xD0\xBC" + kMoscow.substr(2));
    EXPECT_EQ(DisplayText(kOmega + "MEGA", Options(0, 1, 0, 0), "", cp), kOmegaLower + "mega");
    EXPECT_EQ(DisplayText(kTokyo + ".txt", Options(0, 1, 2, 0), "", cp), kTokyo + ".TXT");
    // NumChars counts characters and never splits one.
    EXPECT_EQ(DisplayText(kTokyo + ".txt", Options(0, 1, 1, 1), "", cp), kTokyo.substr(0, 3));
    EXPECT_EQ(DisplayText(kPage + " notes.txt", Options(0, 1, 1, 3), "", cp), kPage + " n");
    EXPECT_EQ(DisplayText(kMoscow, Options(0, 1, 1, 6), "", cp), kMoscow);
    // A path of non-ASCII folders.
    const std::string path = "C:\\" + kMoscow + "\\" + kTokyo + "\\" + kPage + " notes.txt";
    EXPECT_EQ(DisplayText(path, Options(0, 1, 1, 0), "Editor", cp), kPage + " notes.txt");
    EXPECT_EQ(DisplayText(path, Options(1, 0, 1, 0), "Editor", cp),
              kPage + " notes.txt C:\\" + kMoscow + "\\" + kTokyo);
    // Ill-formed sequences show as U+FFFD, one for each bad character, never read past.
    EXPECT_EQ(DisplayText(std::string("a\xFF" "b\xE6\x9D"), Options(0, 1, 1, 0), "", cp),
              "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_EQ(DisplayText(std::string("\xED\xA0\x80"), Options(0, 1, 1, 0), "", cp),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate: three bad bytes
    EXPECT_EQ(DisplayText(std::string("\xC0\xAF" "x"), Options(0, 1, 2, 2), "", cp),
              "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong '/': two bad characters
}

TEST(CompareTitles, AsciiFoldsAToZAndComparesUnsigned) {
    const CodePage& cp = Utf8Text();
    EXPECT_LT(CompareTitles("_x", "Zx", cp), 0);
    EXPECT_GT(CompareTitles("Zx", "_x", cp), 0);
    EXPECT_EQ(CompareTitles("Budget.XLS", "budget.xls", cp), 0);
    EXPECT_TRUE(TitlesEqual("Budget.XLS", "bUDGET.xls", cp));
    EXPECT_FALSE(TitlesEqual("Budget", "Budget ", cp));
    EXPECT_LT(CompareTitles("ab", "ABC", cp), 0);
    EXPECT_LT(CompareTitles("", "a", cp), 0);
    EXPECT_LT(CompareTitles("", " ", cp), 0);
    EXPECT_EQ(CompareTitles("", "", cp), 0);
    EXPECT_GT(CompareTitles(kE, "z", cp), 0);  // code points: U+00E9 above 'z'
    EXPECT_GT(CompareTitles("\xC2\x80", "\x7F", cp), 0);
    EXPECT_LT(CompareTitles("[", "a", cp), 0);  // '[' sits between 'Z' and 'a'
    EXPECT_LT(CompareTitles("[", "A", cp), 0);  // folded to 'a', not 'A' below '['
    EXPECT_LT(CompareTitles("a", "Z", cp), 0);  // unfolded, 0x61 would follow 0x5A
}

TEST(CompareTitles, OtherScriptsFoldAsWholeCharacters) {
    const CodePage& cp = Utf8Text();
    EXPECT_TRUE(TitlesEqual(kMoscow + ".doc", kMoscowUpper + ".DOC", cp));
    EXPECT_TRUE(TitlesEqual(kOmega + "mega", kOmegaLower + "MEGA", cp));
    EXPECT_TRUE(TitlesEqual("Caf" + kE, "CAF" + kEUpper, cp));
    EXPECT_TRUE(TitlesEqual("\xCF\x82", "\xCE\xA3", cp));   // final sigma and capital sigma
    EXPECT_TRUE(TitlesEqual("\xCF\x82", "\xCF\x83", cp));   // and small sigma
    EXPECT_TRUE(TitlesEqual("\xC5\xBF", "S", cp));            // long s
    EXPECT_TRUE(TitlesEqual("\xEF\xBC\xA1", "\xEF\xBD\x81", cp));  // full-width A and a
    EXPECT_FALSE(TitlesEqual(kTokyo, "\xE5\xA4\xA7\xE9\x98\xAA", cp));  // 東京, 大阪
    EXPECT_FALSE(TitlesEqual(kPage, "\xF0\x9F\x93\x85", cp));
    // Order: folded code points, the same on every machine.
    EXPECT_LT(CompareTitles("z", kE, cp), 0);
    EXPECT_LT(CompareTitles(kEUpper, "\xC3\xAA", cp), 0);  // é (E9) before ê (EA), É as é
    EXPECT_LT(CompareTitles(kOmega, kMoscowUpper, cp), 0);  // Greek (03C9) before Cyrillic
    EXPECT_LT(CompareTitles(kMoscow, kTokyo, cp), 0);
    EXPECT_LT(CompareTitles("\xEF\xBF\xBF", kPage, cp), 0);  // U+FFFF before U+1F4C4
    // Ill-formed bytes compare by their own values and stay apart.
    EXPECT_FALSE(TitlesEqual(std::string("\xFE"), std::string("\xFF"), cp));
    EXPECT_FALSE(TitlesEqual(std::string("\xE6\x9D" "a"), std::string("\xE6\x9E" "a"), cp));
    EXPECT_EQ(CompareTitles(std::string("a\xE6"), std::string("a\xE6"), cp), 0);
    // An ill-formed byte sorts as U+DC00 + its value: after 東 (U+6771), before U+E000.
    EXPECT_GT(CompareTitles(std::string("a\xE6"), "a" + kTokyo, cp), 0);
    EXPECT_LT(CompareTitles(std::string("a\xFF"), "a\xEE\x80\x80", cp), 0);
}

TEST(SortTitles, OrdersByTheChosenKeys) {
    const CodePage& cp = Utf8Text();
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
    SortTitles(list, kSortFileName, Utf8Text());
    ASSERT_EQ(list, (std::vector<std::string>{"A.TXT", "b.txt"}));
    EXPECT_EQ(DisplayText(list[0], Options(0, 1, 0, 20), "", Utf8Text()), "a.txt");
    EXPECT_EQ(DisplayText(list[1], Options(0, 1, 0, 20), "", Utf8Text()), "b.txt");
}

std::vector<std::string> RandomTitles(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "a",        "A",        "b",        "B",     "z",    "_",   ".",  ".",    "\\",
        "\\",       "C:",       "x:",       " ",     "-",    "[",   "~",  "\xC3\xA9", "\xC3\x89",
        "\xE6\x9D\xB1", "\xD0\x9C", "\xD0\xBC", "\xCF\x82", "\xCE\xA3", "\xF0\x9F\x93\x84",
        "\xE6", "\xFF", "doc", "TXT"};
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
                Utf8Text().ToUpper(copy);
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
    const CodePage* pages[] = {&Utf8Text()};
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
        std::string("C:\\DOCS\\\xE6"),
        std::string("\xF0"),
        "\xE6\x9D>\xE6.\xF0\x9F-\xCE[",
        kTokyo + "\\" + kPage + "\\" + kMoscow,
    };
    const CodePage* pages[] = {&Utf8Text()};
    for (const CodePage* cp : pages) {
        for (const std::string& in : inputs) {
            const std::string_view clean = CleanDocumentTitle(in, *cp);
            EXPECT_EQ(in.compare(in.size() - clean.size(), clean.size(), clean), 0);
            EXPECT_TRUE(clean.empty() || clean[0] != ' ');

            const std::string app = ExtractAppName(in, *cp);
            EXPECT_NE(in.find(app), std::string::npos);
            EXPECT_TRUE(app.empty() || app[0] != ' ');

            const std::string name = FileNameOnly(in, *cp);
            EXPECT_LE(name.size(), in.size());
            EXPECT_LE(CountChars(FileType(name, *cp)), 3u);
            // The same characters rearranged, a blank, and at most one character again.
            const std::string nbp = NameBeforePath(in, *cp);
            EXPECT_LE(nbp.size(), in.size() + 1 + 4);

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
                    whole = WellFormedUtf8(whole);
                    ASSERT_EQ(whole.compare(0, shown.size(), shown), 0);
                    EXPECT_EQ(WellFormedUtf8(shown), shown);
                    if (limit > 0) {
                        EXPECT_EQ(CountChars(shown),
                                  std::min<std::size_t>(CountChars(whole), limit));
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
    const CodePage& cp = Utf8Text();
    const std::string big = std::string(5000, 'x') + "\\" + std::string(4999, 'y');
    EXPECT_EQ(FileNameOnly(big, cp), std::string(5000, 'x') + std::string(4999, 'y'));
    EXPECT_EQ(NameBeforePath(big, cp), std::string(4998, 'x') + std::string(4999, 'y') + " xx\\");
    EXPECT_EQ(CleanDocumentTitle(std::string(255, ' ') + "a", cp), "a");
    EXPECT_EQ(FileNameOnly(std::string(10000, '\\'), cp), "");
    EXPECT_EQ(ExtractAppName(std::string(10000, '-'), cp), std::string(10000, '-'));

    // The bytes 0x80..0xFF in a row are all ill-formed (each lead byte is followed by
    // another lead byte): each is one character shown as U+FFFD.
    std::string highBytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        highBytes.push_back(static_cast<char>(b));
    }
    const std::string shown = DisplayText(highBytes, Options(1, 1, 1, 2), "", cp);
    EXPECT_EQ(shown, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace perch
