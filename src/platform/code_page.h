#pragma once

#include <string>

namespace perch {

// The few facts about the system's ANSI code page that the title-text rules need.
// Titles are byte strings; in a double-byte code page a lead byte and the byte after it
// form one character, and a search for a character must never land on such a trail byte.
class CodePage {
  public:
    virtual ~CodePage() = default;

    // True when b starts a two-byte character.
    virtual bool IsLeadByte(unsigned char b) const = 0;

    // The character-set case mapping used for display ("Upper"/"Lower") and for the
    // upper-case suffix search. Works in place; double-byte characters map as a whole.
    virtual void ToUpper(std::string& text) const = 0;
    virtual void ToLower(std::string& text) const = 0;

    // Lower-case fold of one double-byte character, given and returned as its code value
    // (lead << 8 | trail). Used by the ordering comparison.
    virtual unsigned FoldDoubleByte(unsigned code) const = 0;
};

}  // namespace perch
