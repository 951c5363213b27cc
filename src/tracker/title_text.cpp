#include "tracker/title_text.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace perch {

namespace {

constexpr char kBlank = ' ';

// Length in bytes of the character starting at i.
std::size_t CharLength(std::string_view text, std::size_t i, const CodePage& cp) {
    return cp.CharLength(text, i);
}

// Start of the last character of a non-empty text.
std::size_t LastCharStart(std::string_view text, const CodePage& cp) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp)) {
        last = i;
    }
    return last;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlank);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimTrailingBlanks(std::string_view text, const CodePage& cp) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i, cp);
        if (text[i] != kBlank) {
            end = i + len;
        }
        i += len;
    }
    return text.substr(0, end);
}

}  // namespace

std::size_t FindChar(std::string_view text, char wanted, const CodePage& cp) {
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp)) {
        if (text[i] == wanted) {
            return i;
        }
    }
    return kNotFound;
}

std::size_t FindLastChar(std::string_view text, char wanted, const CodePage& cp) {
    std::size_t found = kNotFound;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp)) {
        if (text[i] == wanted) {
            found = i;
        }
    }
    return found;
}

std::size_t FindText(std::string_view text, std::string_view wanted, const CodePage& cp) {
    if (wanted.empty()) {
        return 0;
    }
    for (std::size_t i = 0; i < text.size() && text.size() - i >= wanted.size();
         i += CharLength(text, i, cp)) {
        if (text.compare(i, wanted.size(), wanted) == 0) {
            return i;
        }
    }
    return kNotFound;
}

std::size_t SafeCutLength(std::string_view text, std::size_t maxChars, const CodePage& cp) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < maxChars && i < text.size(); ++n) {
        i += CharLength(text, i, cp);
    }
    return i;
}

bool HasLoneAmpersand(std::string_view text, const CodePage& cp) {
    return FindChar(text, '&', cp) != kNotFound && FindText(text, " & ", cp) == kNotFound;
}

std::string_view CleanDocumentTitle(std::string_view title, const CodePage& cp) {
    std::string_view rest = title;
    const std::size_t marker = FindChar(rest, '>', cp);
    if (marker != kNotFound) {
        rest = rest.substr(marker + 1);
    }
    // Trailing blanks stay: they are part of the window's title.
    return TrimLeadingBlanks(rest);
}

std::string ExtractAppName(std::string_view title, const CodePage& cp) {
    std::string_view name = title;
    const std::size_t dash = FindChar(title, '-', cp);
    if (dash != kNotFound && dash > 0) {
        const std::string_view left = title.substr(0, dash);
        // A path or file name on the left means the document comes first.
        if (FindChar(left, '\\', cp) != kNotFound || FindChar(left, '.', cp) != kNotFound) {
            name = title.substr(FindLastChar(title, '-', cp) + 1);
        } else {
            name = left;
        }
    }
    const std::size_t bracket = FindChar(name, '[', cp);
    if (bracket != kNotFound && bracket > 0) {
        name = name.substr(0, bracket);
    }
    return std::string(TrimTrailingBlanks(TrimLeadingBlanks(name), cp));
}

std::string FileNameOnly(std::string_view title, const CodePage& cp) {
    const std::size_t firstSlash = FindChar(title, '\\', cp);
    std::string_view prefix;
    if (firstSlash != kNotFound && firstSlash >= 2) {
        prefix = title.substr(0, firstSlash);
        if (prefix.size() > 1) {
            const std::size_t colon = LastCharStart(prefix, cp);
            if (colon > 0 && colon + 1 == prefix.size() && prefix[colon] == ':') {
                // Drop the drive letter and its colon, taking a "letter" of several
                // bytes whole.
                prefix = prefix.substr(0, LastCharStart(prefix.substr(0, colon), cp));
            }
        }
    }
    std::string_view name = title;
    const std::size_t lastSlash = FindLastChar(title, '\\', cp);
    if (lastSlash != kNotFound) {
        name = title.substr(lastSlash + 1);
    }
    const std::size_t firstNonDot = name.find_first_not_of('.');
    name = firstNonDot == std::string_view::npos ? std::string_view() : name.substr(firstNonDot);

    std::string result;
    result.reserve(prefix.size() + name.size());
    result.append(prefix).append(name);
    return result;
}

std::string NameBeforePath(std::string_view title, const CodePage& cp) {
    const std::size_t first = FindChar(title, '\\', cp);
    if (first == kNotFound || first == 0) {
        return std::string(title);
    }
    const std::size_t last = FindLastChar(title, '\\', cp);

    // The path runs from the drive letter (two characters before the first backslash)
    // through the last backslash. With one character in front it starts at 0 and reaches
    // one character past the last backslash.
    std::size_t before1 = kNotFound;
    std::size_t before2 = kNotFound;
    for (std::size_t i = 0; i < first; i += CharLength(title, i, cp)) {
        before2 = before1;
        before1 = i;
    }
    std::size_t start = 0;
    std::size_t end = last + 1;
    if (before2 != kNotFound) {
        start = before2;
    } else if (end < title.size()) {
        end += CharLength(title, end, cp);
    }

    std::string_view path = title.substr(start, end - start);
    if (CountChars(path) > 3) {
        path = path.substr(0, LastCharStart(path, cp));  // the trailing backslash
    }
    const std::string_view pre = title.substr(0, start);
    const std::string_view name = title.substr(last + 1);

    std::string result;
    result.reserve(pre.size() + name.size() + 1 + path.size());
    result.append(pre).append(name).append(1, kBlank).append(path);
    return result;
}

std::string FileType(std::string_view fileName, const CodePage& cp) {
    const std::size_t dot = FindChar(fileName, '.', cp);
    if (dot == kNotFound) {
        return std::string();
    }
    const std::string_view type = fileName.substr(dot + 1);
    return std::string(type.substr(0, SafeCutLength(type, 3, cp)));
}

std::string DisplayText(std::string_view title, const Settings& settings, std::string_view appName,
                        const CodePage& cp) {
    std::string text;
    if (settings.Paths == 0 && appName != kFileManagerName) {
        text = FileNameOnly(title, cp);
        // A folder's window ("Z:\", "C:\DOCS\") has no name after its last backslash;
        // a blank box would not say which window it stands for.
        if (text.empty()) {
            text = std::string(title);
        }
    } else if (settings.First == 0) {
        text = NameBeforePath(title, cp);
    } else {
        text = std::string(title);
    }

    if (settings.Capitals == kCaseUpper) {
        cp.ToUpper(text);
    } else if (settings.Capitals == kCaseLower) {
        cp.ToLower(text);
    }

    if (settings.NumChars > 0) {
        text.resize(SafeCutLength(text, static_cast<std::size_t>(settings.NumChars), cp));
    }
    // What is drawn is well-formed: an ill-formed sequence shows as U+FFFD.
    return WellFormedUtf8(text);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

std::u32string FoldedKey(std::string_view text, const CodePage& cp) {
    std::u32string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        key.push_back(cp.NextFoldedCode(text, i));
    }
    return key;
}

int CompareTitles(std::string_view a, std::string_view b, const CodePage& cp) {
    if (a == b) {
        return 0;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = cp.NextFoldedCode(a, i);
        const char32_t cb = cp.NextFoldedCode(b, j);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

bool TitlesEqual(std::string_view a, std::string_view b, const CodePage& cp) {
    return CompareTitles(a, b, cp) == 0;
}

void SortTitles(std::vector<std::string>& titles, std::int32_t sortOption, const CodePage& cp) {
    const std::size_t count = titles.size();
    if (count < 2) {
        return;
    }
    // Successive stable sorts by whole title, then file name, then file type leave the
    // list ordered by the last key applied, ties broken by the earlier ones. One stable
    // sort on that composite key gives the same order.
    const bool byName = sortOption != kSortFullTitle;
    const bool byType = sortOption == kSortFileType;

    std::vector<std::u32string> titleKeys(count);
    std::vector<std::u32string> nameKeys(byName ? count : 0);
    std::vector<std::u32string> typeKeys(byType ? count : 0);
    for (std::size_t i = 0; i < count; ++i) {
        titleKeys[i] = FoldedKey(titles[i], cp);
        if (byName) {
            const std::string name = FileNameOnly(titles[i], cp);
            nameKeys[i] = FoldedKey(name, cp);
            if (byType) {
                typeKeys[i] = FoldedKey(FileType(name, cp), cp);
            }
        }
    }

    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        if (byType) {
            const int c = typeKeys[x].compare(typeKeys[y]);
            if (c != 0) {
                return c < 0;
            }
        }
        if (byName) {
            const int c = nameKeys[x].compare(nameKeys[y]);
            if (c != 0) {
                return c < 0;
            }
        }
        return titleKeys[x] < titleKeys[y];
    });

    std::vector<std::string> sorted;
    sorted.reserve(count);
    for (const std::size_t index : order) {
        sorted.push_back(std::move(titles[index]));
    }
    titles.swap(sorted);
}

}  // namespace perch
