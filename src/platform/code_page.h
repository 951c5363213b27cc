#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace perch {

// The character rules the title-text rules work by: text is UTF-8 (what the Win32 shell
// hands the core, read through the wide functions), a character is one whole UTF-8
// sequence, so no search, cut or comparison ever lands inside one. An ill-formed sequence
// counts as one character (shown as U+FFFD). Letter case follows the simple mappings of
// platform/utf8.h, the same on every machine whatever its code page.
class CodePage {
  public:
    // Length in bytes of the character that starts at byte i.
    std::size_t CharLength(std::string_view text, std::size_t i) const {
        return Utf8CharLength(text, i);
    }

    // The case mapping used for display ("Upper"/"Lower") and for the upper-case suffix
    // search. Works in place, on whole characters.
    void ToUpper(std::string& text) const { Utf8ToUpper(text); }
    void ToLower(std::string& text) const { Utf8ToLower(text); }

    // The folded code of the character at byte i for comparing without regard to case;
    // moves i past what it read. A-Z fold to a-z; other well-formed characters fold by
    // FoldCase; each byte of an ill-formed sequence is read alone and folds to
    // 0xDC00 + its value (a code no well-formed character has), so that different bytes
    // never compare equal.
    char32_t NextFoldedCode(std::string_view text, std::size_t& i) const;
};

// The one text model, for callers that have no other at hand.
const CodePage& Utf8Text();

}  // namespace perch
