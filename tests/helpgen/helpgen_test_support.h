// What helpgen's tests share: reading files of the source tree, compiling a source text, and
// comparing a WinHelp file read back with the project it was made from.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "help_source.h"
#include "hlp_reader.h"

namespace helpgen_test {

inline std::string SourceTreePath(const std::string& relative) {
    return std::string(HELPGEN_PERCH_SOURCE_DIR) + "/" + relative;
}

inline bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Parses a source against a resource header's text; the errors go to `errors`.
// Perch's resource ids as the build hands them to helpgen: its own resource header and the
// framework's header of the commands it implements. A header that cannot be read is an error.
inline helpgen::ResourceSymbols PerchResourceSymbols(std::vector<std::string>& errors) {
    helpgen::ResourceSymbols symbols;
    for (const char* name : {"src/res/resource.h", "src/framework/standard_ids.h"}) {
        std::string header;
        if (!ReadTextFile(SourceTreePath(name), header)) {
            errors.push_back(std::string(name) + ": cannot read");
            continue;
        }
        helpgen::ResourceSymbols more = helpgen::ParseResourceHeader(header, name, errors);
        symbols.values.merge(more.values);
        symbols.non_numeric.merge(more.non_numeric);
    }
    return symbols;
}

inline helpgen::HelpProject Parse(const std::string& source, const std::string& header,
                                  std::vector<std::string>& errors) {
    const auto symbols = helpgen::ParseResourceHeader(header, "resource.h", errors);
    auto project = helpgen::ParseHelpSource(source, "help.txt", symbols, errors);
    project.title = "Test Help";
    return project;
}

// (text, bold, jump hash) for each stretch of a paragraph, as the source says it should be.
using Stretch = std::tuple<std::string, bool, std::int32_t>;

inline std::vector<Stretch> Merge(const std::vector<Stretch>& in) {
    std::vector<Stretch> out;
    for (const Stretch& s : in) {
        if (!out.empty() && std::get<1>(out.back()) == std::get<1>(s) &&
            std::get<2>(out.back()) == std::get<2>(s)) {
            std::get<0>(out.back()) += std::get<0>(s);
        } else {
            out.push_back(s);
        }
    }
    return out;
}

inline std::vector<Stretch> Expected(const helpgen::Paragraph& paragraph) {
    std::vector<Stretch> stretches;
    if (paragraph.kind == helpgen::Paragraph::Kind::kBullet) {
        stretches.emplace_back("\x95\t", false, 0);
    }
    for (const auto& piece : paragraph.pieces) {
        const std::int32_t jump =
            piece.link < 0
                ? 0
                : ReferenceHash(paragraph.links[static_cast<std::size_t>(piece.link)].target);
        stretches.emplace_back(piece.text, piece.bold, jump);
    }
    return Merge(stretches);
}

inline std::vector<Stretch> Found(const HlpFile& hlp, const HlpParagraph& paragraph) {
    std::vector<Stretch> stretches;
    for (const HlpRun& run : paragraph.runs) {
        const bool bold = run.font >= 0 && static_cast<std::size_t>(run.font) < hlp.fonts.size() &&
                          (hlp.fonts[static_cast<std::size_t>(run.font)].attributes & 1) != 0;
        stretches.emplace_back(run.text, bold, run.jump);
    }
    return Merge(stretches);
}

// Everything a reader finds in the file agrees with the project: titles, text, looks, jumps,
// and every context name, help id and the contents leading to its own topic.
inline void ExpectReadBackMatches(const helpgen::HelpProject& project, const HlpFile& hlp) {
    EXPECT_EQ(hlp.title, project.title);
    EXPECT_EQ(hlp.window_caption, project.title);
    ASSERT_EQ(hlp.topics.size(), project.topics.size());
    std::size_t id_count = 0;
    std::set<std::uint32_t> offsets;
    for (std::size_t i = 0; i < project.topics.size(); ++i) {
        const helpgen::Topic& topic = project.topics[i];
        const HlpTopic& found = hlp.topics[i];
        SCOPED_TRACE("topic " + topic.context);
        EXPECT_TRUE(offsets.insert(found.offset).second) << "two topics at one offset";
        EXPECT_EQ(found.title, topic.title);
        EXPECT_EQ(found.number, i);
        ASSERT_EQ(found.paragraphs.size(), topic.paragraphs.size() + 1);

        // The heading: the title in a bold font larger than the text's.
        const HlpParagraph& heading = found.paragraphs.front();
        EXPECT_EQ(heading.Text(), topic.title);
        ASSERT_EQ(heading.runs.size(), 1u);
        const auto& heading_font = hlp.fonts.at(static_cast<std::size_t>(heading.runs[0].font));
        EXPECT_EQ(heading_font.attributes & 1, 1u);
        for (std::size_t p = 0; p < topic.paragraphs.size(); ++p) {
            const HlpParagraph& paragraph = found.paragraphs[p + 1];
            SCOPED_TRACE("paragraph at line " + std::to_string(topic.paragraphs[p].line));
            EXPECT_EQ(Found(hlp, paragraph), Expected(topic.paragraphs[p]));
            EXPECT_EQ(paragraph.declared_length, paragraph.counted_length);
            for (const HlpRun& run : paragraph.runs) {
                EXPECT_LT(hlp.fonts.at(static_cast<std::size_t>(run.font)).half_points,
                          heading_font.half_points);
            }
            if (topic.paragraphs[p].kind == helpgen::Paragraph::Kind::kBullet) {
                // A hanging indent with the text at the tab stop.
                EXPECT_GT(paragraph.left_indent, 0);
                EXPECT_LT(paragraph.first_line_indent, 0);
                EXPECT_GE(paragraph.left_indent + paragraph.first_line_indent, 0);
                EXPECT_EQ(
                    paragraph.tab_stops,
                    std::vector<std::uint32_t>{static_cast<std::uint32_t>(paragraph.left_indent)});
            } else {
                EXPECT_EQ(paragraph.left_indent, 0);
            }
        }

        // Its context name, by hash through |CONTEXT's tree, reaches exactly this topic.
        const auto by_name = hlp.FindContext(ReferenceHash(topic.context));
        ASSERT_TRUE(by_name.has_value()) << "context not in |CONTEXT";
        EXPECT_EQ(*by_name, found.offset);
        EXPECT_EQ(hlp.TopicAt(*by_name), &found);
        for (const helpgen::HelpId& id : topic.ids) {
            const auto by_id = hlp.FindMap(id.value);
            ASSERT_TRUE(by_id.has_value()) << id.spelling << " not in |CTXOMAP";
            EXPECT_EQ(hlp.TopicAt(*by_id), &found) << id.spelling;
            ++id_count;
        }
        // The browse sequence is the file order.
        EXPECT_EQ(found.browse_back, i == 0 ? 0xFFFFFFFFu : hlp.topics[i - 1].offset);
        EXPECT_EQ(found.browse_forward,
                  i + 1 == hlp.topics.size() ? 0xFFFFFFFFu : hlp.topics[i + 1].offset);
    }
    EXPECT_EQ(hlp.contexts.size(), project.topics.size());
    EXPECT_EQ(hlp.map.size(), id_count);
    ASSERT_TRUE(hlp.contents.has_value());
    EXPECT_EQ(hlp.TopicAt(*hlp.contents), &hlp.topics.front());
}

}  // namespace helpgen_test
