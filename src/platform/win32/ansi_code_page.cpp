#include "platform/win32/ansi_code_page.h"

#include <windows.h>

namespace perch {

bool AnsiCodePage::IsLeadByte(unsigned char b) const {
    return IsDBCSLeadByte(b) != FALSE;
}

void AnsiCodePage::ToUpper(std::string& text) const {
    if (!text.empty()) {
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    }
}

void AnsiCodePage::ToLower(std::string& text) const {
    if (!text.empty()) {
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    }
}

unsigned AnsiCodePage::FoldDoubleByte(unsigned code) const {
    char pair[2] = {static_cast<char>((code >> 8) & 0xFF), static_cast<char>(code & 0xFF)};
    CharLowerBuffA(pair, 2);
    return (static_cast<unsigned>(static_cast<unsigned char>(pair[0])) << 8) |
           static_cast<unsigned char>(pair[1]);
}

}  // namespace perch
