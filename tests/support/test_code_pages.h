#pragma once

#include "platform/code_page.h"

namespace perch::test {

// A single-byte code page like 1252: ASCII and the Latin-1 letters 0xE0-0xFE map to
// 0xC0-0xDE (except the division and multiplication signs 0xF7 and 0xD7). No lead bytes.
class Latin1CodePage final : public CodePage {
  public:
    bool IsLeadByte(unsigned char b) const override;
    void ToUpper(std::string& text) const override;
    void ToLower(std::string& text) const override;
    unsigned FoldDoubleByte(unsigned code) const override;
};

// A double-byte code page modelled on 932: lead bytes 0x81-0x9F and 0xE0-0xFC, and any
// byte after a lead is its trail (so trail bytes such as 0x5C '\' occur). Single bytes map
// ASCII case only; the full-width letters 0x8260-0x8279 (A-Z) and 0x8281-0x829A (a-z)
// map to each other in the case functions and fold in FoldDoubleByte.
class Dbcs932CodePage final : public CodePage {
  public:
    bool IsLeadByte(unsigned char b) const override;
    void ToUpper(std::string& text) const override;
    void ToLower(std::string& text) const override;
    unsigned FoldDoubleByte(unsigned code) const override;
};

const Latin1CodePage& Latin1();
const Dbcs932CodePage& Dbcs932();

}  // namespace perch::test
