#include "platform/utf8.h"

#include <cstdint>

namespace perch {
namespace {

unsigned char At(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The character at a position: its length in bytes, its value (U+FFFD when ill-formed)
// and whether it is well-formed.
struct Sequence {
    std::size_t length;
    char32_t value;
    bool ok;
};

Sequence Read(std::string_view text, std::size_t i) {
    const unsigned char lead = At(text, i);
    if (lead < 0x80) {
        return {1, lead, true};
    }
    std::size_t need = 0;
    char32_t value = 0;
    // The second byte's range: it excludes overlong forms, surrogates and values above
    // U+10FFFF (the table of well-formed sequences in the Unicode standard).
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0F;
        if (lead == 0xE0) {
            low = 0xA0;
        } else if (lead == 0xED) {
            high = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;
        }
    } else {
        return {1, kReplacementCharacter, false};
    }
    std::size_t j = i + 1;
    for (std::size_t k = 0; k < need; ++k, ++j) {
        if (j >= text.size()) {
            return {j - i, kReplacementCharacter, false};
        }
        const unsigned char b = At(text, j);
        const bool ok = k == 0 ? (b >= low && b <= high) : IsContinuation(b);
        if (!ok) {
            // The maximal prefix of a valid sequence counts as one bad character.
            return {j - i, kReplacementCharacter, false};
        }
        value = (value << 6) | (b & 0x3F);
    }
    return {need + 1, value, true};
}

// A run of code points with one rule: kAll maps every code point by delta; kPairs maps
// the upper-case member of each pair (first, first + 2, ...) to the next code point.
enum class Kind { kAll, kPairs };
struct CaseRange {
    char32_t first;  // first upper-case code point
    char32_t last;   // last upper-case code point
    std::int32_t delta;
    Kind kind;
};

// Upper case -> lower case, both ways unless noted in the functions below.
constexpr CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 32, Kind::kAll},        // A-Z
    {0x00C0, 0x00D6, 32, Kind::kAll},        // Latin-1 letters, without the x sign
    {0x00D8, 0x00DE, 32, Kind::kAll},
    {0x0100, 0x012E, 1, Kind::kPairs},       // Latin Extended-A
    {0x0132, 0x0136, 1, Kind::kPairs},
    {0x0139, 0x0147, 1, Kind::kPairs},
    {0x014A, 0x0176, 1, Kind::kPairs},
    {0x0178, 0x0178, 0x00FF - 0x0178, Kind::kAll},
    {0x0179, 0x017D, 1, Kind::kPairs},
    {0x01CD, 0x01DB, 1, Kind::kPairs},       // Latin Extended-B (the regular runs)
    {0x01DE, 0x01EE, 1, Kind::kPairs},
    {0x01F8, 0x021E, 1, Kind::kPairs},
    {0x0222, 0x0232, 1, Kind::kPairs},
    {0x0386, 0x0386, 0x03AC - 0x0386, Kind::kAll},  // Greek
    {0x0388, 0x038A, 0x03AD - 0x0388, Kind::kAll},
    {0x038C, 0x038C, 0x03CC - 0x038C, Kind::kAll},
    {0x038E, 0x038F, 0x03CD - 0x038E, Kind::kAll},
    {0x0391, 0x03A1, 32, Kind::kAll},
    {0x03A3, 0x03AB, 32, Kind::kAll},
    {0x03D8, 0x03EE, 1, Kind::kPairs},
    {0x0400, 0x040F, 80, Kind::kAll},        // Cyrillic
    {0x0410, 0x042F, 32, Kind::kAll},
    {0x0460, 0x0480, 1, Kind::kPairs},
    {0x048A, 0x04BE, 1, Kind::kPairs},
    {0x04C0, 0x04C0, 15, Kind::kAll},
    {0x04C1, 0x04CD, 1, Kind::kPairs},
    {0x04D0, 0x052E, 1, Kind::kPairs},
    {0x0531, 0x0556, 48, Kind::kAll},        // Armenian
    {0x1E00, 0x1E94, 1, Kind::kPairs},       // Latin Extended Additional
    {0x1EA0, 0x1EFE, 1, Kind::kPairs},
    {0xFF21, 0xFF3A, 32, Kind::kAll},        // full-width A-Z
};

bool InUpper(const CaseRange& r, char32_t c) {
    return c >= r.first && c <= r.last && (r.kind == Kind::kAll || ((c - r.first) % 2) == 0);
}

bool InLower(const CaseRange& r, char32_t c) {
    const char32_t first = static_cast<char32_t>(static_cast<std::int32_t>(r.first) + r.delta);
    const char32_t last = static_cast<char32_t>(static_cast<std::int32_t>(r.last) + r.delta);
    return c >= first && c <= last && (r.kind == Kind::kAll || ((c - first) % 2) == 0);
}

template <typename Map>
void MapText(std::string& text, Map map) {
    bool ascii = true;
    for (const char ch : text) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        for (char& ch : text) {
            ch = static_cast<char>(map(static_cast<unsigned char>(ch)));
        }
        return;
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        if (!IsWellFormedAt(text, i)) {
            i += Utf8CharLength(text, i);
            out.append(text, start, i - start);
            continue;
        }
        AppendUtf8(out, map(DecodeUtf8(text, i)));
    }
    text.swap(out);
}

}  // namespace

std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
    return Read(text, i).length;
}

char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const Sequence s = Read(text, i);
    i += s.length;
    return s.value;
}

bool IsWellFormedAt(std::string_view text, std::size_t i) {
    const unsigned char lead = At(text, i);
    if (lead < 0x80) {
        return true;
    }
    return Read(text, i).ok;
}

void AppendUtf8(std::string& out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        c = kReplacementCharacter;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string WellFormedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const bool ok = IsWellFormedAt(text, i);
        i += Utf8CharLength(text, i);
        if (ok) {
            out.append(text.substr(start, i - start));
        } else {
            AppendUtf8(out, kReplacementCharacter);
        }
    }
    return out;
}

std::size_t CountChars(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += Utf8CharLength(text, i)) {
        ++count;
    }
    return count;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        units += DecodeUtf8(text, i) >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::size_t CutToChars(std::string_view text, std::size_t maxChars) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < maxChars && i < text.size(); ++n) {
        i += Utf8CharLength(text, i);
    }
    return i;
}

std::size_t CutToBytes(std::string_view text, std::size_t maxBytes) {
    if (maxBytes >= text.size()) {
        return text.size();
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t len = Utf8CharLength(text, i);
        if (i + len > maxBytes) {
            break;
        }
        i += len;
    }
    return i;
}

char32_t SimpleLower(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if (c == 0x0130) {  // capital I with dot above
        return 'i';
    }
    for (const CaseRange& r : kCaseRanges) {
        if (InUpper(r, c)) {
            return static_cast<char32_t>(static_cast<std::int32_t>(c) + r.delta);
        }
    }
    return c;
}

char32_t SimpleUpper(char32_t c) {
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') ? c - 32 : c;
    }
    switch (c) {
        case 0x0131: return 'I';     // dotless i
        case 0x017F: return 'S';     // long s
        case 0x03C2: return 0x03A3;  // final sigma
        default: break;
    }
    for (const CaseRange& r : kCaseRanges) {
        if (InLower(r, c)) {
            return static_cast<char32_t>(static_cast<std::int32_t>(c) - r.delta);
        }
    }
    return c;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    return SimpleLower(SimpleUpper(c));
}

void Utf8ToUpper(std::string& text) {
    MapText(text, SimpleUpper);
}

void Utf8ToLower(std::string& text) {
    MapText(text, SimpleLower);
}

}  // namespace perch
