// The help topic source (FORMAT.md) and the resource header it takes its ids from: the model
// both writers work from, and the parsers that fill it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/help_ids.h"

namespace helpgen {

// Help ids of commands and of resources: the numbers the program asks its help viewer for.
inline constexpr std::uint32_t kCommandHelpBase = framework::kHelpIdCommandBase;
inline constexpr std::uint32_t kResourceHelpBase = framework::kHelpIdResourceBase;

// A stretch of text with one look. Consecutive pieces with the same link index form one jump.
struct Piece {
    std::string text;
    bool bold = false;
    int link = -1;  // index into Paragraph::links, or -1 for plain text

    bool operator==(const Piece&) const = default;
};

struct Link {
    std::string target;  // context name of the topic it jumps to
    int line = 0;

    bool operator==(const Link&) const = default;
};

struct Paragraph {
    enum class Kind { kBody, kBullet };
    Kind kind = Kind::kBody;
    std::vector<Piece> pieces;
    std::vector<Link> links;
    int line = 0;

    // The text as a reader sees it, without marks.
    std::string PlainText() const;
};

struct HelpId {
    std::uint32_t value = 0;
    std::string spelling;  // as written: "command:ID_APP_ABOUT", "0x20066"
    std::string symbol;    // the resource.h name for command: and resource: ids, else empty
    int line = 0;
};

struct Topic {
    std::string context;
    std::string title;
    std::vector<HelpId> ids;
    std::vector<Paragraph> paragraphs;
    int line = 0;
};

struct HelpProject {
    std::string source_name;    // the topic source's file name, for messages
    std::string title;          // caption of the help window
    std::vector<Topic> topics;  // topics[0] is the contents topic

    const Topic* FindTopic(std::string_view context) const;
};

// The #define lines of a resource header.
struct ResourceSymbols {
    std::map<std::string, std::uint32_t, std::less<>> values;
    // Names defined as something other than a plain number ("1, 0, 0, 0", a string).
    std::map<std::string, int, std::less<>> non_numeric;
};

// Reads "#define NAME value" lines (decimal or 0x hexadecimal, optionally in parentheses,
// optionally followed by a comment). Problems are appended to errors as "file:line: text".
ResourceSymbols ParseResourceHeader(std::string_view text, std::string_view file_name,
                                    std::vector<std::string>& errors);

// Parses the topic source. Every problem found is appended to errors as "file:line: text";
// the project is only usable when errors stayed empty.
HelpProject ParseHelpSource(std::string_view text, std::string_view file_name,
                            const ResourceSymbols& symbols, std::vector<std::string>& errors);

// A context name is non-empty and made of A-Z a-z 0-9 . _ only.
bool IsValidContextName(std::string_view name);

}  // namespace helpgen
