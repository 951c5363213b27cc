#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace perch {
namespace {

TEST(Utf8, EveryCodePointRoundTripsAndSurrogatesAreReplaced) {
    for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x11000 ? 1 : 97)) {
        std::string text;
        AppendUtf8(text, c);
        std::size_t i = 0;
        const char32_t back = DecodeUtf8(text, i);
        EXPECT_EQ(i, text.size());
        if (c >= 0xD800 && c <= 0xDFFF) {
            ASSERT_EQ(back, kReplacementCharacter) << std::hex << static_cast<unsigned>(c);
        } else {
            ASSERT_EQ(back, c) << std::hex << static_cast<unsigned>(c);
            ASSERT_EQ(Utf8CharLength(text, 0), text.size());
            ASSERT_EQ(Utf16Length(text), c >= 0x10000 ? 2u : 1u);
        }
    }
}

TEST(Utf8, IllFormedSequencesAreOneCharacterAndNeverReadPast) {
    struct Case {
        std::string bytes;
        std::size_t firstLength;  // the first character's length
        std::size_t chars;
    };
    const Case cases[] = {
        {"\x80", 1, 1},                  // a lone continuation byte
        {"\xC0\xAF", 1, 2},              // overlong: 0xC0 never starts a sequence
        {"\xE0\x80\x80", 1, 3},          // overlong three-byte form
        {"\xED\xA0\x80", 1, 3},          // a surrogate
        {"\xF4\x90\x80\x80", 1, 4},      // above U+10FFFF
        {"\xF5", 1, 1},
        {"\xE6\x9D", 2, 1},              // cut short by the end
        {"\xE6\x9D" "a", 2, 2},          // cut short by an ASCII byte, which stays
        {"\xF0\x9F\x93", 3, 1},
        {"\xF0\x9F\x93\xE6\x9D\xB1", 3, 2},  // a cut four-byte form, then 東
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8CharLength(c.bytes, 0), c.firstLength) << c.bytes;
        EXPECT_FALSE(IsWellFormedAt(c.bytes, 0));
        EXPECT_EQ(CountChars(c.bytes), c.chars);
        std::size_t i = 0;
        EXPECT_EQ(DecodeUtf8(c.bytes, i), kReplacementCharacter);
        EXPECT_EQ(i, c.firstLength);
        // Shown: one U+FFFD a bad character, well-formed characters as they are.
        const std::string shown = WellFormedUtf8(c.bytes);
        EXPECT_EQ(WellFormedUtf8(shown), shown);
        EXPECT_EQ(CountChars(shown), c.chars);
    }
    EXPECT_EQ(WellFormedUtf8("\xE6\x9D\xB1\xEF\xBF\xBD"), "\xE6\x9D\xB1\xEF\xBF\xBD");
}

TEST(Utf8, CutsInCharactersAndInBytes) {
    // a, é, 東, 📄: 1 + 2 + 3 + 4 bytes.
    const std::string text = "a\xC3\xA9\xE6\x9D\xB1\xF0\x9F\x93\x84";
    const std::size_t byChars[] = {0, 1, 3, 6, 10, 10};
    for (std::size_t n = 0; n < 6; ++n) {
        EXPECT_EQ(CutToChars(text, n), byChars[n]) << n;
    }
    // Every byte bound falls back to the character boundary at or before it.
    const std::size_t byBytes[] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10, 10};
    for (std::size_t n = 0; n < 12; ++n) {
        EXPECT_EQ(CutToBytes(text, n), byBytes[n]) << n;
    }
    EXPECT_EQ(Utf16Length(text), 5u);
    EXPECT_EQ(Utf16Length("\xE6\x9D"), 1u);
}

TEST(Utf8, CaseMappingOfLatinGreekCyrillic) {
    struct Pair {
        char32_t upper;
        char32_t lower;
    };
    const Pair pairs[] = {
        {'A', 'a'},       {'Z', 'z'},       {0xC0, 0xE0},     {0xDE, 0xFE},   {0x178, 0xFF},
        {0x100, 0x101},   {0x141, 0x142},   {0x17D, 0x17E},   {0x1E00, 0x1E01},
        {0x391, 0x3B1},   {0x3A9, 0x3C9},   {0x386, 0x3AC},   {0x38F, 0x3CE}, {0x401, 0x451},
        {0x410, 0x430},   {0x42F, 0x44F},   {0x490, 0x491},   {0x4C0, 0x4CF}, {0x531, 0x561},
        {0xFF21, 0xFF41},
    };
    for (const Pair& p : pairs) {
        if (p.upper == p.lower) {
            continue;
        }
        EXPECT_EQ(SimpleLower(p.upper), p.lower) << std::hex << static_cast<unsigned>(p.upper);
        EXPECT_EQ(SimpleUpper(p.lower), p.upper) << std::hex << static_cast<unsigned>(p.lower);
        EXPECT_EQ(FoldCase(p.upper), FoldCase(p.lower));
    }
    // Not letters, or no partner: unchanged.
    for (const char32_t c : {char32_t{'_'}, char32_t{0xD7}, char32_t{0xF7}, char32_t{0xDF},
                             char32_t{0x3A2}, char32_t{0x6771}, char32_t{0x1F4C4}}) {
        EXPECT_EQ(SimpleUpper(c), c) << std::hex << static_cast<unsigned>(c);
        EXPECT_EQ(SimpleLower(c), c) << std::hex << static_cast<unsigned>(c);
    }
    // One-way mappings fold with their partners.
    EXPECT_EQ(FoldCase(0x3C2), FoldCase(0x3A3));  // final sigma
    EXPECT_EQ(FoldCase(0x17F), 's');              // long s
    EXPECT_EQ(FoldCase(0x131), 'i');              // dotless i
    EXPECT_EQ(FoldCase(0x130), 'i');              // capital I with dot
    // ASCII: only A-Z change.
    for (char32_t c = 0; c < 0x80; ++c) {
        const bool upper = c >= 'A' && c <= 'Z';
        EXPECT_EQ(FoldCase(c), upper ? c + 32 : c);
    }

    std::string text = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCE\xA9mega \xE6\x9D\xB1\xFF";
    Utf8ToUpper(text);
    EXPECT_EQ(text, "\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90 \xCE\xA9MEGA \xE6\x9D\xB1\xFF");
    Utf8ToLower(text);
    EXPECT_EQ(text, "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCF\x89mega \xE6\x9D\xB1\xFF");
}

}  // namespace
}  // namespace perch
