#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "settings/settings.h"

namespace perch {

// The application whose document titles always keep their paths. Compared exactly.
inline constexpr std::string_view kFileManagerName = "File Manager";

inline constexpr std::size_t kNotFound = std::string_view::npos;

// Character-aware searches over UTF-8 (see CodePage). Positions are byte offsets, but only
// the first byte of a character can match, so a search never lands inside a character. An
// ill-formed sequence counts as a character of its own and is never read past.
std::size_t FindChar(std::string_view text, char wanted, const CodePage& cp);
std::size_t FindLastChar(std::string_view text, char wanted, const CodePage& cp);

// First occurrence of `wanted` that starts on a character boundary of `text`; kNotFound
// when there is none. An empty `wanted` is found at 0.
std::size_t FindText(std::string_view text, std::string_view wanted, const CodePage& cp);

// The byte length of the first maxChars whole characters of the text (all of it when it
// has fewer): a cut never splits a character.
std::size_t SafeCutLength(std::string_view text, std::size_t maxChars, const CodePage& cp);

// True when the text contains "&" but not " & ": a control caption with a mnemonic, as
// opposed to a title that merely uses an ampersand as a word.
bool HasLoneAmpersand(std::string_view text, const CodePage& cp);

// The document title as stored in a title list: what follows the first ">" (the
// "3> " window-number prefix some applications add), without leading blanks. A part of
// the title given, which must outlive it.
std::string_view CleanDocumentTitle(std::string_view title, const CodePage& cp);

// The application part of a main window's title, for both "App - Doc" and "Doc - App".
std::string ExtractAppName(std::string_view title, const CodePage& cp);

// The title without its directory (a leading "Caption - " part is kept).
std::string FileNameOnly(std::string_view title, const CodePage& cp);

// The file name, a blank, then the directory: "REPORT.DOC C:\DOCS".
std::string NameBeforePath(std::string_view title, const CodePage& cp);

// Up to three characters of the type after the first "." of a file name; empty without
// ".".
std::string FileType(std::string_view fileName, const CodePage& cp);

// The text shown in a title's box under the Paths, First, Capitals and NumChars options
// (NumChars counts characters). Always well-formed UTF-8: an ill-formed sequence of the
// title shows as U+FFFD.
std::string DisplayText(std::string_view title, const Settings& settings, std::string_view appName,
                        const CodePage& cp);

// Ordering of titles: character by character, each folded (CodePage::NextFoldedCode: A-Z
// to a-z, other letters by the simple case fold of Unicode), then compared by code point;
// a prefix sorts first. ASCII titles keep the order of A-Z folded to a-z and bytes compared
// unsigned; the order is the same on every machine. Returns <0, 0 or >0.
int CompareTitles(std::string_view a, std::string_view b, const CodePage& cp);

// Equal but for the letter case of A to Z; other bytes compare as they are.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The title folded as CompareTitles folds it, one code per character: two titles are
// equal under that comparison exactly when their keys are equal.
std::u32string FoldedKey(std::string_view text, const CodePage& cp);

// Equality under the same folding (used by IndexOfTitle and selection membership).
bool TitlesEqual(std::string_view a, std::string_view b, const CodePage& cp);

// Reorders the list as the Sort option asks (kSortFileName, kSortFileType,
// kSortFullTitle): by the last key, ties by the earlier keys, then by list order.
// Any other value orders as kSortFileName.
void SortTitles(std::vector<std::string>& titles, std::int32_t sortOption, const CodePage& cp);

}  // namespace perch
