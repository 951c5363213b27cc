#pragma once

#include "platform/code_page.h"

namespace perch {

// The system's ANSI code page, as the "A" entry points see it.
class AnsiCodePage : public CodePage {
  public:
    bool IsLeadByte(unsigned char b) const override;
    void ToUpper(std::string& text) const override;
    void ToLower(std::string& text) const override;
    unsigned FoldDoubleByte(unsigned code) const override;
};

}  // namespace perch
