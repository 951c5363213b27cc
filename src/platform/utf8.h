#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace perch {

// UTF-8, the one encoding of text inside Perch. The Win32 shell converts at its edge
// (wide calls in, UTF-8 to the core, wide calls out); the core only ever sees UTF-8.
//
// A byte sequence that is not well-formed UTF-8 is read as the longest start of a valid
// sequence (at least one byte), which stands for U+FFFD: no character is ever read past the
// end of the text, and an ASCII byte always stands for itself.

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Length in bytes of the character that starts at byte i (i < text.size()).
std::size_t Utf8CharLength(std::string_view text, std::size_t i);

// The character at byte i (U+FFFD for an ill-formed sequence); moves i past it.
char32_t DecodeUtf8(std::string_view text, std::size_t& i);

// True when the character at byte i is a well-formed sequence.
bool IsWellFormedAt(std::string_view text, std::size_t i);

// Appends the UTF-8 form of c (U+FFFD for a surrogate or a value above U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// The text with every ill-formed sequence replaced by U+FFFD. Returns the same bytes for
// well-formed text.
std::string WellFormedUtf8(std::string_view text);

// Number of characters in the text.
std::size_t CountChars(std::string_view text);

// Number of UTF-16 units the text takes as wide text (two for a character above U+FFFF,
// one for an ill-formed sequence, which the conversion replaces by U+FFFD).
std::size_t Utf16Length(std::string_view text);

// The byte length of the first maxChars characters (all of the text when it has fewer).
std::size_t CutToChars(std::string_view text, std::size_t maxChars);

// The largest byte length not above maxBytes that ends on a character boundary.
std::size_t CutToBytes(std::string_view text, std::size_t maxBytes);

// Simple (one character to one character) case mappings of Unicode for Latin (Basic
// Latin, Latin-1, Latin Extended-A and -B, Latin Extended Additional), Greek, Cyrillic,
// Armenian and the full-width Latin letters; every other character maps to itself.
char32_t SimpleUpper(char32_t c);
char32_t SimpleLower(char32_t c);

// The case fold used for comparing without regard to case: lower case of the upper case,
// so that final sigma, long s and dotless i fold with their partners. A-Z fold to a-z.
char32_t FoldCase(char32_t c);

// Upper- or lower-cases the text character by character. Ill-formed bytes stay as they
// are; ASCII-only text is mapped byte by byte.
void Utf8ToUpper(std::string& text);
void Utf8ToLower(std::string& text);

}  // namespace perch
