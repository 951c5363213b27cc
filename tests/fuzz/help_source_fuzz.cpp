// The help compiler's readers on arbitrary text: the resource header and the topic source.
// Every problem must come back as a "file:line: message" error naming a line of the file
// (nothing thrown past the caller), and a source read without errors must be the model the
// writers rely on: unique valid context names, titled topics, pieces that point into their
// paragraph's links, links to topics that exist, unique non-zero help ids.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "helpgen/help_source.h"
#include "helpgen/winhelp.h"

namespace {

using perch::fuzz::FuzzInput;

constexpr std::string_view kHeaderName = "ids.h";
constexpr std::string_view kSourceName = "help.txt";

// A header the source can name ids from when the input brings none of its own.
constexpr std::string_view kFixedHeader =
    "#define IDR_MAINFRAME 2\n"
    "#define IDD_COLORS 0x6B // 107\n"
    "#define ID_SELECT_ALL (32771)\n"
    "#define ID_APP_ABOUT 0xE140\n"
    "#define BIG 0xFFFFFFF0\n"
    "#define VERSION_NUMBERS 1, 0, 0, 0\n";

// The lines a reader numbers: one per line end, and a last line without one.
std::size_t LineCount(std::string_view text) {
    std::size_t n = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (!text.empty() && text.back() != '\n') {
        ++n;
    }
    return n;
}

void CheckLineNumber(int line, std::size_t lines) {
    FUZZ_REQUIRE(line >= (lines == 0 ? 0 : 1));
    FUZZ_REQUIRE(static_cast<std::size_t>(line) <= lines);
}

// "file:line: message", the line one of the file's.
void CheckErrors(const std::vector<std::string>& errors, std::string_view file, std::size_t lines) {
    for (const std::string& error : errors) {
        FUZZ_REQUIRE(error.size() > file.size() + 1 && error.compare(0, file.size(), file) == 0);
        FUZZ_REQUIRE(error[file.size()] == ':');
        std::size_t i = file.size() + 1;
        int line = 0;
        while (i < error.size() && std::isdigit(static_cast<unsigned char>(error[i])) &&
               line < 100000000) {
            line = line * 10 + (error[i] - '0');
            ++i;
        }
        FUZZ_REQUIRE(i > file.size() + 1);
        FUZZ_REQUIRE(error.compare(i, 2, ": ") == 0 && error.size() > i + 2);
        CheckLineNumber(line, lines);
    }
}

helpgen::ResourceSymbols CheckHeader(std::string_view header) {
    std::vector<std::string> errors;
    const helpgen::ResourceSymbols symbols =
        helpgen::ParseResourceHeader(header, kHeaderName, errors);
    CheckErrors(errors, kHeaderName, LineCount(header));
    for (const auto& [name, value] : symbols.values) {
        FUZZ_REQUIRE(!name.empty());
        FUZZ_REQUIRE(symbols.non_numeric.count(name) == 0);
    }
    for (const auto& [name, line] : symbols.non_numeric) {
        CheckLineNumber(line, LineCount(header));
    }

    // The numbers read, written back as a header of their own, read the same.
    std::string written;
    bool hex = false;
    for (const auto& [name, value] : symbols.values) {
        char number[16];
        std::snprintf(number, sizeof number, hex ? "0x%X" : "%u", value);
        written += "#define " + name + " " + number + "\n";
        hex = !hex;
    }
    std::vector<std::string> again;
    const helpgen::ResourceSymbols reread =
        helpgen::ParseResourceHeader(written, kHeaderName, again);
    FUZZ_REQUIRE(again.empty());
    FUZZ_REQUIRE(reread.values == symbols.values);
    FUZZ_REQUIRE(reread.non_numeric.empty());
    return symbols;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

void CheckSource(std::string_view source, const helpgen::ResourceSymbols& symbols) {
    std::vector<std::string> errors;
    const helpgen::HelpProject project =
        helpgen::ParseHelpSource(source, kSourceName, symbols, errors);
    const std::size_t lines = LineCount(source);
    CheckErrors(errors, kSourceName, lines);

    // Whatever the errors, the model is safe to walk.
    for (const helpgen::Topic& topic : project.topics) {
        CheckLineNumber(topic.line, lines);
        for (const helpgen::Paragraph& paragraph : topic.paragraphs) {
            CheckLineNumber(paragraph.line, lines);
            for (const helpgen::Piece& piece : paragraph.pieces) {
                FUZZ_REQUIRE(piece.link >= -1 &&
                             piece.link < static_cast<int>(paragraph.links.size()));
            }
            for (const helpgen::Link& link : paragraph.links) {
                CheckLineNumber(link.line, lines);
            }
        }
    }
    if (!errors.empty()) {
        return;
    }

    // A usable project.
    FUZZ_REQUIRE(!project.topics.empty());
    std::set<std::string> contexts;
    std::set<std::int32_t> hashes;
    std::set<std::uint32_t> ids;
    for (const helpgen::Topic& topic : project.topics) {
        FUZZ_REQUIRE(helpgen::IsValidContextName(topic.context));
        FUZZ_REQUIRE(contexts.insert(Lower(topic.context)).second);
        const std::int32_t hash = helpgen::WinHelpHash(topic.context);
        FUZZ_REQUIRE(hash != 0 && hashes.insert(hash).second);
        FUZZ_REQUIRE(project.FindTopic(topic.context) == &topic);
        FUZZ_REQUIRE(!topic.title.empty());
        for (const char c : topic.title) {
            FUZZ_REQUIRE(static_cast<unsigned char>(c) >= 0x20);
        }
        for (const helpgen::HelpId& id : topic.ids) {
            FUZZ_REQUIRE(id.value != 0 && ids.insert(id.value).second);
        }
        for (const helpgen::Paragraph& paragraph : topic.paragraphs) {
            FUZZ_REQUIRE(!paragraph.pieces.empty());
            for (std::size_t i = 0; i < paragraph.pieces.size(); ++i) {
                const helpgen::Piece& piece = paragraph.pieces[i];
                FUZZ_REQUIRE(!piece.text.empty());
                for (const char c : piece.text) {
                    FUZZ_REQUIRE(static_cast<unsigned char>(c) >= 0x20);
                }
                if (i > 0) {
                    const helpgen::Piece& before = paragraph.pieces[i - 1];
                    FUZZ_REQUIRE(before.bold != piece.bold || before.link != piece.link);
                }
            }
            // Every link has text and leads to a topic of the project.
            for (std::size_t l = 0; l < paragraph.links.size(); ++l) {
                const helpgen::Link& link = paragraph.links[l];
                FUZZ_REQUIRE(helpgen::IsValidContextName(link.target));
                FUZZ_REQUIRE(project.FindTopic(link.target) != nullptr);
                FUZZ_REQUIRE(std::any_of(
                    paragraph.pieces.begin(), paragraph.pieces.end(),
                    [&](const helpgen::Piece& p) { return p.link == static_cast<int>(l); }));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const bool ownHeader = input.Bool();
    const std::string rest = input.Rest();
    std::string_view header = kFixedHeader;
    std::string_view source = rest;
    if (ownHeader) {
        // The header up to the first zero byte, the source after it.
        const std::size_t split = std::min(rest.find('\0'), rest.size());
        header = std::string_view(rest).substr(0, split);
        source = std::string_view(rest).substr(std::min(split + 1, rest.size()));
    }
    const helpgen::ResourceSymbols symbols = CheckHeader(header);
    CheckSource(source, symbols);
    return 0;
}
