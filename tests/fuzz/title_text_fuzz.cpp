// Runs every title-text rule on arbitrary bytes taken as UTF-8 (well-formed or not) and
// checks the properties the tracker and the board rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/reference_sort.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "tracker/title_text.h"

namespace {

using perch::CodePage;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

bool IsCharBoundary(std::string_view text, std::size_t pos, const CodePage& cp) {
    std::size_t i = 0;
    while (i < pos) {
        i += cp.CharLength(text, i);
    }
    return i == pos;
}

// Walking the characters covers the text exactly, every character is at least one byte
// and never runs past the end; an ill-formed one decodes as U+FFFD.
void CheckCharacters(std::string_view text, const CodePage& cp) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp.CharLength(text, i);
        Require(len >= 1 && len <= 4 && i + len <= text.size());
        std::size_t j = i;
        const char32_t c = perch::DecodeUtf8(text, j);
        Require(j == i + len);
        Require(perch::IsWellFormedAt(text, i) || c == perch::kReplacementCharacter);
        i += len;
        ++count;
    }
    Require(count == perch::CountChars(text));
    const std::string shown = perch::WellFormedUtf8(text);
    Require(perch::CountChars(shown) == count);
    Require(perch::WellFormedUtf8(shown) == shown);
}

void CheckOneTitle(const std::string& title, const perch::Settings& settings,
                   std::string_view appName, const CodePage& cp) {
    const std::string clean(perch::CleanDocumentTitle(title, cp));
    Require(clean.size() <= title.size());
    Require(title.compare(title.size() - clean.size(), clean.size(), clean) == 0);
    Require(clean.empty() || clean[0] != ' ');

    const std::string app = perch::ExtractAppName(title, cp);
    Require(title.find(app) != std::string::npos);

    const std::string name = perch::FileNameOnly(title, cp);
    Require(name.size() <= title.size());
    Require(perch::CountChars(perch::FileType(name, cp)) <= 3);
    // The same characters rearranged, plus a blank, plus (with one character before the
    // first backslash) the character after the last backslash once more.
    Require(perch::NameBeforePath(title, cp).size() <= title.size() + 1 + 4);

    for (const char c : {'\\', '>', '.', '-', '['}) {
        const std::size_t first = perch::FindChar(title, c, cp);
        const std::size_t last = perch::FindLastChar(title, c, cp);
        Require((first == perch::kNotFound) == (last == perch::kNotFound));
        if (first != perch::kNotFound) {
            Require(first <= last && title[first] == c && title[last] == c);
            Require(IsCharBoundary(title, first, cp) && IsCharBoundary(title, last, cp));
        }
    }
    perch::HasLoneAmpersand(title, cp);

    CheckCharacters(title, cp);
    const std::string shown = perch::DisplayText(title, settings, appName, cp);
    Require(perch::WellFormedUtf8(shown) == shown);  // ill-formed bytes show as U+FFFD
    if (settings.NumChars > 0) {
        Require(perch::CountChars(shown) <= static_cast<std::size_t>(settings.NumChars));
    }
    std::string upper = title;
    cp.ToUpper(upper);
    Require(perch::CountChars(upper) == perch::CountChars(title));
    Require(perch::TitlesEqual(upper, title, cp));
    Require(perch::CompareTitles(title, title, cp) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    perch::Settings settings;
    settings.Sort = static_cast<std::int8_t>(data[0]) % 4;
    settings.Capitals = static_cast<std::int8_t>(data[1]) % 4;
    settings.NumChars = static_cast<std::int8_t>(data[2]);
    settings.Paths = data[3] & 1;
    settings.First = (data[3] >> 1) & 1;
    const std::string_view appName = (data[3] & 4) ? perch::kFileManagerName : "Editor";

    // The rest is a few titles separated by '\n'.
    const std::string_view rest(reinterpret_cast<const char*>(data + 4), size - 4);
    std::vector<std::string> titles;
    std::size_t start = 0;
    while (start <= rest.size() && titles.size() < 12) {
        const std::size_t end = rest.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? rest.size() : end;
        titles.emplace_back(rest.substr(start, stop - start));
        start = stop + 1;
    }

    const CodePage* pages[] = {&perch::Utf8Text()};
    for (const CodePage* cp : pages) {
        for (const std::string& title : titles) {
            CheckOneTitle(title, settings, appName, *cp);
        }
        for (std::size_t i = 0; i + 1 < titles.size(); ++i) {
            const int ab = perch::CompareTitles(titles[i], titles[i + 1], *cp);
            const int ba = perch::CompareTitles(titles[i + 1], titles[i], *cp);
            Require(Sign(ab) == -Sign(ba));
            Require(perch::TitlesEqual(titles[i], titles[i + 1], *cp) == (ab == 0));
            Require((perch::FoldedKey(titles[i], *cp) == perch::FoldedKey(titles[i + 1], *cp)) ==
                    (ab == 0));
        }
        std::vector<std::string> expected = titles;
        perch::test::ReferenceSortTitles(expected, settings.Sort, *cp);
        std::vector<std::string> actual = titles;
        perch::SortTitles(actual, settings.Sort, *cp);
        Require(actual == expected);
    }
    return 0;
}
