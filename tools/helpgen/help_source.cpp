#include "help_source.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "winhelp.h"

namespace helpgen {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::vector<std::string_view> SplitWords(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) {
            ++i;
        }
        std::size_t start = i;
        while (i < s.size() && !IsBlank(s[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(s.substr(start, i - start));
        }
    }
    return words;
}

std::string Hex(std::uint32_t v) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        s += kDigits[(v >> shift) & 0xF];
    }
    return s;
}

// A decimal or 0x hexadecimal number that fits 32 bits.
std::optional<std::uint32_t> ParseNumber(std::string_view s) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    // C's suffixes on constants in a header: 100L, 0x10U.
    while (!s.empty() &&
           (s.back() == 'u' || s.back() == 'U' || s.back() == 'l' || s.back() == 'L')) {
        s.remove_suffix(1);
    }
    if (s.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            if (start < text.size()) {
                lines.push_back(text.substr(start));
            }
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (auto& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    return lines;
}

// One paragraph as it is gathered from its lines, before its marks are read.
struct PendingParagraph {
    Paragraph::Kind kind = Paragraph::Kind::kBody;
    std::string text;
    // Where each line's text starts in `text`, and its line number.
    std::vector<std::pair<std::size_t, int>> line_starts;

    int LineAt(std::size_t offset) const {
        int line = line_starts.front().second;
        for (const auto& [start, number] : line_starts) {
            if (start <= offset) {
                line = number;
            }
        }
        return line;
    }
};

class SourceParser {
  public:
    SourceParser(std::string_view file_name, const ResourceSymbols& symbols,
                 std::vector<std::string>& errors)
        : file_name_(file_name), symbols_(symbols), errors_(errors) {}

    HelpProject Parse(std::string_view text);

  private:
    void Error(int line, const std::string& message) {
        errors_.push_back(file_name_ + ":" + std::to_string(line) + ": " + message);
    }

    void StartTopic(int line, std::string_view args);
    void SetTitle(int line, std::string_view text);
    void AddTextLine(int line, std::string_view text, bool continues);
    void FinishParagraph();
    void FinishTopic();
    std::optional<HelpId> ReadHelpId(int line, std::string_view word, const std::string& owner);
    void ReadMarks(const PendingParagraph& pending, Paragraph& paragraph);
    void CheckLinks();

    std::string file_name_;
    const ResourceSymbols& symbols_;
    std::vector<std::string>& errors_;
    HelpProject project_;
    bool in_topic_ = false;
    bool expect_title_ = false;
    std::optional<PendingParagraph> pending_;
    // Context names by their lower-case spelling, and help ids, with where they were given.
    std::map<std::string, std::pair<std::string, int>> contexts_;
    std::map<std::int32_t, std::pair<std::string, int>> hashes_;
    std::map<std::uint32_t, std::pair<std::string, int>> ids_;
};

HelpProject SourceParser::Parse(std::string_view text) {
    project_.source_name = file_name_;
    const auto lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        std::string_view line = lines[i];
        if (!line.empty() && line.front() == '#') {
            continue;  // a comment; it neither starts nor ends a paragraph
        }
        if (Trim(line).empty()) {
            FinishParagraph();
            continue;
        }
        const bool at_margin = !IsBlank(line.front());
        if (at_margin) {
            std::size_t word_end = 0;
            while (word_end < line.size() && line[word_end] >= 'a' && line[word_end] <= 'z') {
                ++word_end;
            }
            const bool is_word =
                word_end > 0 && (word_end == line.size() || IsBlank(line[word_end]));
            const std::string_view word = line.substr(0, word_end);
            const std::string_view rest =
                is_word ? Trim(line.substr(word_end)) : std::string_view{};
            if (is_word && word == "topic") {
                StartTopic(number, rest);
                continue;
            }
            if (is_word && word == "title") {
                SetTitle(number, rest);
                continue;
            }
            if (is_word && !pending_) {
                Error(number, "unknown directive '" + std::string(word) +
                                  "' (a text line that starts with a lower-case word is "
                                  "indented)");
                continue;
            }
            if (line.size() >= 2 && line[0] == '-' && IsBlank(line[1])) {
                FinishParagraph();
                AddTextLine(number, line.substr(2), false);
                if (pending_) {
                    pending_->kind = Paragraph::Kind::kBullet;
                }
                continue;
            }
            // A line at the margin after a bullet item starts a new paragraph.
            const bool continues = pending_ && pending_->kind == Paragraph::Kind::kBody;
            if (!continues) {
                FinishParagraph();
            }
            AddTextLine(number, line, continues);
            continue;
        }
        AddTextLine(number, line, pending_.has_value());
    }
    FinishParagraph();
    FinishTopic();
    if (project_.topics.empty()) {
        Error(static_cast<int>(lines.size()), "the source has no topics");
    }
    CheckLinks();
    return std::move(project_);
}

void SourceParser::StartTopic(int line, std::string_view args) {
    FinishParagraph();
    FinishTopic();
    const auto words = SplitWords(args);
    Topic topic;
    topic.line = line;
    if (words.empty()) {
        Error(line, "'topic' needs a context name");
    } else {
        topic.context = std::string(words.front());
        if (!IsValidContextName(topic.context)) {
            Error(line,
                  "bad context name '" + topic.context + "': only A-Z a-z 0-9 . _ are allowed");
        } else {
            const std::string key = Lower(topic.context);
            const std::int32_t hash = WinHelpHash(topic.context);
            if (auto seen = contexts_.find(key); seen != contexts_.end()) {
                Error(line, "duplicate context name '" + topic.context + "' (first used for '" +
                                seen->second.first + "' at line " +
                                std::to_string(seen->second.second) + ")");
            } else if (auto same = hashes_.find(hash); same != hashes_.end()) {
                Error(line, "context name '" + topic.context + "' has the same WinHelp hash as '" +
                                same->second.first + "' (line " +
                                std::to_string(same->second.second) + "); rename one of them");
            } else if (hash == 0) {
                Error(line, "context name '" + topic.context +
                                "' has the WinHelp hash 0, which means the contents topic");
            } else {
                contexts_[key] = {topic.context, line};
                hashes_[hash] = {topic.context, line};
            }
        }
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (auto id = ReadHelpId(line, words[i], topic.context)) {
                topic.ids.push_back(*id);
            }
        }
    }
    project_.topics.push_back(std::move(topic));
    in_topic_ = true;
    expect_title_ = true;
}

std::optional<HelpId> SourceParser::ReadHelpId(int line, std::string_view word,
                                               const std::string& owner) {
    HelpId id;
    id.spelling = std::string(word);
    id.line = line;
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos) {
        auto value = ParseNumber(word);
        if (!value) {
            Error(line, "bad help id '" + id.spelling +
                            "': expected command:SYMBOL, resource:SYMBOL or a number");
            return std::nullopt;
        }
        id.value = *value;
    } else {
        const std::string_view kind = word.substr(0, colon);
        const std::string_view symbol = word.substr(colon + 1);
        std::uint32_t base;
        if (kind == "command") {
            base = kCommandHelpBase;
        } else if (kind == "resource") {
            base = kResourceHelpBase;
        } else {
            Error(line, "unknown help id kind '" + std::string(kind) +
                            "' (expected command: or resource:)");
            return std::nullopt;
        }
        id.symbol = std::string(symbol);
        auto found = symbols_.values.find(symbol);
        if (found == symbols_.values.end()) {
            if (symbols_.non_numeric.count(symbol) != 0) {
                Error(line, "symbol '" + id.symbol + "' is not defined as a number");
            } else {
                Error(line,
                      "unknown symbol '" + id.symbol + "' (not #defined in the resource header)");
            }
            return std::nullopt;
        }
        const std::uint64_t value = std::uint64_t{base} + found->second;
        if (value > 0xFFFFFFFFull) {
            Error(line, "help id of '" + id.spelling + "' does not fit 32 bits");
            return std::nullopt;
        }
        id.value = static_cast<std::uint32_t>(value);
    }
    if (id.value == 0) {
        Error(line, "help id 0 is not allowed");
        return std::nullopt;
    }
    if (auto seen = ids_.find(id.value); seen != ids_.end()) {
        Error(line, "help id " + Hex(id.value) + " (" + id.spelling +
                        ") already belongs to topic '" + seen->second.first + "' (line " +
                        std::to_string(seen->second.second) + ")");
        return std::nullopt;
    }
    ids_.emplace(id.value, std::make_pair(owner, line));
    return id;
}

void SourceParser::SetTitle(int line, std::string_view text) {
    FinishParagraph();
    if (!in_topic_) {
        Error(line, "'title' before the first topic");
        return;
    }
    Topic& topic = project_.topics.back();
    if (!expect_title_) {
        Error(line, topic.title.empty() ? "'title' must directly follow its topic line"
                                        : "topic '" + topic.context +
                                              "' already has a title (indent a text "
                                              "line that starts with 'title')");
        return;
    }
    expect_title_ = false;
    if (text.empty()) {
        Error(line, "empty title");
        return;
    }
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            Error(line, "control character in the title");
            return;
        }
    }
    topic.title = std::string(text);
    std::replace(topic.title.begin(), topic.title.end(), '\t', ' ');
}

void SourceParser::AddTextLine(int line, std::string_view text, bool continues) {
    if (!in_topic_) {
        Error(line, "text before the first topic");
        return;
    }
    if (expect_title_) {
        Error(line, "expected 'title <text>' after the topic line of '" +
                        project_.topics.back().context + "'");
        expect_title_ = false;
    }
    text = Trim(text);
    if (!continues || !pending_) {
        FinishParagraph();
        pending_.emplace();
    } else if (!pending_->text.empty()) {
        pending_->text += ' ';
    }
    pending_->line_starts.emplace_back(pending_->text.size(), line);
    for (char c : text) {
        if (c == '\t') {
            c = ' ';
        } else if (static_cast<unsigned char>(c) < 0x20) {
            Error(line, "control character in the text");
            continue;
        }
        pending_->text += c;
    }
}

void SourceParser::FinishParagraph() {
    if (!pending_) {
        return;
    }
    PendingParagraph pending = std::move(*pending_);
    pending_.reset();
    Paragraph paragraph;
    paragraph.kind = pending.kind;
    paragraph.line = pending.line_starts.front().second;
    ReadMarks(pending, paragraph);
    if (paragraph.pieces.empty()) {
        Error(paragraph.line,
              paragraph.kind == Paragraph::Kind::kBullet ? "empty bullet item" : "empty paragraph");
        return;
    }
    project_.topics.back().paragraphs.push_back(std::move(paragraph));
}

void SourceParser::FinishTopic() {
    if (!in_topic_) {
        return;
    }
    const Topic& topic = project_.topics.back();
    if (topic.title.empty() && expect_title_) {
        Error(topic.line, "topic '" + topic.context + "' has no title");
    }
    in_topic_ = false;
    expect_title_ = false;
}

// Reads *bold*, {text|context} and the backslash escapes of one paragraph.
void SourceParser::ReadMarks(const PendingParagraph& pending, Paragraph& paragraph) {
    const std::string& text = pending.text;
    std::string run;
    bool bold = false;
    std::size_t bold_opened = 0;
    int link = -1;
    bool link_bold = false;
    auto flush = [&] {
        if (run.empty()) {
            return;
        }
        Piece piece{run, bold, link};
        if (!paragraph.pieces.empty()) {
            Piece& last = paragraph.pieces.back();
            if (last.bold == piece.bold && last.link == piece.link) {
                last.text += run;
                run.clear();
                return;
            }
        }
        paragraph.pieces.push_back(std::move(piece));
        run.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 < text.size() &&
                std::string_view("*{}|\\").find(text[i + 1]) != std::string_view::npos) {
                run += text[++i];
            } else {
                Error(pending.LineAt(i), i + 1 < text.size()
                                             ? "unknown escape '\\" + std::string(1, text[i + 1]) +
                                                   "' (escapes are \\* \\{ \\} \\| \\\\)"
                                             : "'\\' at the end of a paragraph");
            }
        } else if (c == '*') {
            flush();
            bold = !bold;
            bold_opened = i;
        } else if (c == '{') {
            if (link >= 0) {
                Error(pending.LineAt(i), "a link cannot contain another link");
                continue;
            }
            flush();
            link = static_cast<int>(paragraph.links.size());
            paragraph.links.push_back(Link{"", pending.LineAt(i)});
            link_bold = bold;
        } else if (c == '|' && link >= 0) {
            const bool has_text =
                !run.empty() || (!paragraph.pieces.empty() && paragraph.pieces.back().link == link);
            flush();
            const std::size_t close = text.find('}', i + 1);
            if (close == std::string::npos) {
                Error(pending.LineAt(i), "link without its closing '}'");
                i = text.size();
                link = -1;
                break;
            }
            const std::string target =
                std::string(Trim(std::string_view(text).substr(i + 1, close - i - 1)));
            Link& current = paragraph.links[static_cast<std::size_t>(link)];
            current.target = target;
            if (!IsValidContextName(target)) {
                Error(current.line, "bad link target '" + target + "'");
            }
            if (!has_text) {
                Error(current.line, "link to '" + target + "' has no text");
            }
            if (bold != link_bold) {
                Error(current.line, "bold text must start and end on the same side of a link");
            }
            link = -1;
            i = close;
        } else if (c == '}') {
            Error(pending.LineAt(i), link >= 0 ? "link without '|context'" : "unmatched '}'");
        } else {
            run += c;
        }
    }
    flush();
    if (link >= 0) {
        Error(paragraph.links[static_cast<std::size_t>(link)].line, "unclosed link");
        for (Piece& piece : paragraph.pieces) {
            if (piece.link == link) {
                piece.link = -1;
            }
        }
        paragraph.links.pop_back();
    }
    if (bold) {
        Error(pending.LineAt(bold_opened), "unclosed '*'");
    }
}

void SourceParser::CheckLinks() {
    for (const Topic& topic : project_.topics) {
        for (const Paragraph& paragraph : topic.paragraphs) {
            for (const Link& link : paragraph.links) {
                if (link.target.empty() || !IsValidContextName(link.target)) {
                    continue;  // already reported
                }
                if (project_.FindTopic(link.target) == nullptr) {
                    std::string message = "link to unknown topic '" + link.target + "'";
                    auto other_case = contexts_.find(Lower(link.target));
                    if (other_case != contexts_.end()) {
                        message += " (did you mean '" + other_case->second.first + "'?)";
                    }
                    Error(link.line, message);
                }
            }
        }
    }
}

}  // namespace

std::string Paragraph::PlainText() const {
    std::string text;
    for (const Piece& piece : pieces) {
        text += piece.text;
    }
    return text;
}

const Topic* HelpProject::FindTopic(std::string_view context) const {
    for (const Topic& topic : topics) {
        if (topic.context == context) {
            return &topic;
        }
    }
    return nullptr;
}

bool IsValidContextName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '_';
    });
}

ResourceSymbols ParseResourceHeader(std::string_view text, std::string_view file_name,
                                    std::vector<std::string>& errors) {
    ResourceSymbols symbols;
    std::map<std::string, int, std::less<>> defined_at;
    const auto lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() != '#') {
            continue;
        }
        line = Trim(line.substr(1));
        if (line.substr(0, 6) != "define" || line.size() < 7 || !IsBlank(line[6])) {
            continue;
        }
        line = Trim(line.substr(6));
        if (const std::size_t comment = line.find("//"); comment != std::string_view::npos) {
            line = Trim(line.substr(0, comment));
        }
        if (const std::size_t comment = line.find("/*"); comment != std::string_view::npos) {
            line = Trim(line.substr(0, comment));
        }
        std::size_t name_end = 0;
        while (name_end < line.size() && !IsBlank(line[name_end]) && line[name_end] != '(') {
            ++name_end;
        }
        if (name_end < line.size() && line[name_end] == '(') {
            continue;  // a function-like macro
        }
        const std::string name(line.substr(0, name_end));
        std::string_view value = Trim(line.substr(name_end));
        if (value.size() >= 2 && value.front() == '(' && value.back() == ')') {
            value = Trim(value.substr(1, value.size() - 2));
        }
        if (auto seen = defined_at.find(name); seen != defined_at.end()) {
            errors.push_back(std::string(file_name) + ":" + std::to_string(number) + ": '" + name +
                             "' is defined again (first at line " + std::to_string(seen->second) +
                             ")");
            continue;
        }
        defined_at.emplace(name, number);
        if (auto parsed = ParseNumber(value)) {
            symbols.values.emplace(name, *parsed);
        } else {
            symbols.non_numeric.emplace(name, number);
        }
    }
    return symbols;
}

HelpProject ParseHelpSource(std::string_view text, std::string_view file_name,
                            const ResourceSymbols& symbols, std::vector<std::string>& errors) {
    return SourceParser(file_name, symbols, errors).Parse(text);
}

}  // namespace helpgen
