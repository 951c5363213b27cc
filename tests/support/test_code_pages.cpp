#include "support/test_code_pages.h"

#include <cstddef>

namespace perch::test {

namespace {

constexpr unsigned kFullWidthUpperA = 0x8260;
constexpr unsigned kFullWidthUpperZ = 0x8279;
constexpr unsigned kFullWidthLowerA = 0x8281;
constexpr unsigned kFullWidthLowerZ = 0x829A;
constexpr unsigned kFullWidthCaseDistance = kFullWidthLowerA - kFullWidthUpperA;

char AsChar(unsigned value) {
    return static_cast<char>(static_cast<unsigned char>(value));
}

unsigned char Latin1Upper(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<unsigned char>(b - 0x20);
    }
    return b;
}

unsigned char Latin1Lower(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return static_cast<unsigned char>(b + 0x20);
    }
    return b;
}

// Walks the text character by character; single bytes go through mapByte, double-byte
// characters (as a code value) through mapPair.
template <typename ByteMap, typename PairMap>
void MapDbcs(std::string& text, const CodePage& cp, ByteMap mapByte, PairMap mapPair) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (cp.IsLeadByte(lead) && i + 1 < text.size()) {
            const unsigned code = (unsigned{lead} << 8) | static_cast<unsigned char>(text[i + 1]);
            const unsigned mapped = mapPair(code);
            text[i] = AsChar(mapped >> 8);
            text[i + 1] = AsChar(mapped & 0xFFu);
            i += 2;
        } else {
            text[i] = AsChar(mapByte(lead));
            ++i;
        }
    }
}

unsigned AsciiUpper(unsigned char b) {
    return (b >= 'a' && b <= 'z') ? b - 0x20u : b;
}
unsigned AsciiLower(unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? b + 0x20u : b;
}

unsigned FullWidthUpper(unsigned code) {
    return (code >= kFullWidthLowerA && code <= kFullWidthLowerZ) ? code - kFullWidthCaseDistance
                                                                  : code;
}
unsigned FullWidthLower(unsigned code) {
    return (code >= kFullWidthUpperA && code <= kFullWidthUpperZ) ? code + kFullWidthCaseDistance
                                                                  : code;
}

}  // namespace

bool Latin1CodePage::IsLeadByte(unsigned char) const {
    return false;
}

void Latin1CodePage::ToUpper(std::string& text) const {
    for (char& c : text) {
        c = AsChar(Latin1Upper(static_cast<unsigned char>(c)));
    }
}

void Latin1CodePage::ToLower(std::string& text) const {
    for (char& c : text) {
        c = AsChar(Latin1Lower(static_cast<unsigned char>(c)));
    }
}

unsigned Latin1CodePage::FoldDoubleByte(unsigned code) const {
    return code;
}

bool Dbcs932CodePage::IsLeadByte(unsigned char b) const {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

void Dbcs932CodePage::ToUpper(std::string& text) const {
    MapDbcs(text, *this, AsciiUpper, FullWidthUpper);
}

void Dbcs932CodePage::ToLower(std::string& text) const {
    MapDbcs(text, *this, AsciiLower, FullWidthLower);
}

unsigned Dbcs932CodePage::FoldDoubleByte(unsigned code) const {
    return FullWidthLower(code);
}

const Latin1CodePage& Latin1() {
    static const Latin1CodePage page;
    return page;
}

const Dbcs932CodePage& Dbcs932() {
    static const Dbcs932CodePage page;
    return page;
}

}  // namespace perch::test
