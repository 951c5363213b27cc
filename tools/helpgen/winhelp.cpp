#include "winhelp.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "btree.h"
#include "byte_buffer.h"

namespace helpgen {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

// Record types in |TOPIC.
constexpr std::uint8_t kTopicHeaderRecord = 0x02;
constexpr std::uint8_t kTextRecord = 0x20;
constexpr std::size_t kRecordHeader = 21;

// Formatting commands of a text record.
constexpr std::uint8_t kFontChange = 0x80;
constexpr std::uint8_t kParagraphEnd = 0x82;
constexpr std::uint8_t kTab = 0x83;
constexpr std::uint8_t kLinkEnd = 0x89;
constexpr std::uint8_t kJump = 0xE3;  // a jump to a context hash, drawn as a link
constexpr std::uint8_t kCommandsEnd = 0xFF;

// The fonts of |FONT, by number.
constexpr std::uint16_t kFontNormal = 0;
constexpr std::uint16_t kFontBold = 1;
constexpr std::uint16_t kFontTitle = 2;

constexpr char kBullet = '\x95';  // in code page 1252

// Paragraph settings; the metric is half points (the old |FONT descriptors mean that).
struct ParagraphLook {
    int space_below = 0;
    int left_indent = 0;
    int first_line_indent = 0;
    int tab_stop = 0;  // 0: none
};
constexpr ParagraphLook kTitleLook{12, 0, 0, 0};
constexpr ParagraphLook kBodyLook{10, 0, 0, 0};
constexpr ParagraphLook kBulletLook{6, 36, -18, 36};

// The variable-length numbers of a text record's first part.
void CompressedSignedLong(ByteBuffer& out, std::int32_t v) {
    if (v >= -0x4000 && v < 0x4000) {
        out.U16(static_cast<std::uint32_t>(v + 0x4000) * 2);
    } else {
        out.U32(static_cast<std::uint32_t>(v + 0x40000000) * 2 + 1);
    }
}

void CompressedUnsignedShort(ByteBuffer& out, std::uint32_t v) {
    if (v < 0x80) {
        out.U8(v * 2);
    } else {
        out.U16(v * 2 + 1);
    }
}

void CompressedSignedShort(ByteBuffer& out, int v) {
    if (v >= -0x40 && v < 0x40) {
        out.U8(static_cast<std::uint32_t>(v + 0x40) * 2);
    } else {
        out.U16(static_cast<std::uint32_t>(v + 0x4000) * 2 + 1);
    }
}

struct Record {
    std::uint8_t type = 0;
    std::vector<std::uint8_t> data1;  // LinkData1
    std::string data2;                // LinkData2: NUL-terminated strings
    std::uint32_t characters = 0;     // what the record adds to a topic offset
    std::size_t topic = 0;
    int line = 0;
    // Where it lands.
    std::uint32_t block = 0;
    std::uint32_t offset = 0;             // in the block's data
    std::uint32_t characters_before = 0;  // of the records before it in the same block

    std::size_t Size() const { return kRecordHeader + data1.size() + data2.size(); }
    std::uint32_t Position() const { return 12 + block * 0x4000 + offset; }
    std::uint32_t TopicOffset() const { return block * 0x8000 + characters_before; }
};

// A text record is a list of strings, each followed by one formatting command.
class TextRecordBuilder {
  public:
    void Text(std::string_view s) {
        pending_ += s;
        characters_ += static_cast<std::uint32_t>(s.size());
    }
    void Font(std::uint16_t font) {
        Command(kFontChange);
        commands_.U16(font);
    }
    void Tab() {
        Command(kTab);
        ++characters_;
    }
    void Jump(std::int32_t hash) {
        Command(kJump);
        commands_.U32(static_cast<std::uint32_t>(hash));
    }
    void LinkEnd() { Command(kLinkEnd); }

    Record Finish(const ParagraphLook& look, std::size_t topic, int line) {
        Command(kParagraphEnd);
        ++characters_;
        Command(kCommandsEnd);
        Record record;
        record.type = kTextRecord;
        record.topic = topic;
        record.line = line;
        record.data2 = std::move(strings_);
        record.characters = characters_;

        ByteBuffer data1;
        CompressedSignedLong(data1, static_cast<std::int32_t>(record.data2.size()));
        CompressedUnsignedShort(data1, characters_);
        data1.U8(0x00);
        data1.U8(0x80);
        data1.U16(0);  // paragraph id
        std::uint32_t bits = 0;
        if (look.space_below != 0) {
            bits |= 0x0004;
        }
        if (look.left_indent != 0) {
            bits |= 0x0010;
        }
        if (look.first_line_indent != 0) {
            bits |= 0x0040;
        }
        if (look.tab_stop != 0) {
            bits |= 0x0200;
        }
        data1.U16(bits);
        if (look.space_below != 0) {
            CompressedSignedShort(data1, look.space_below);
        }
        if (look.left_indent != 0) {
            CompressedSignedShort(data1, look.left_indent);
        }
        if (look.first_line_indent != 0) {
            CompressedSignedShort(data1, look.first_line_indent);
        }
        if (look.tab_stop != 0) {
            CompressedSignedShort(data1, 1);  // one left-aligned stop
            CompressedUnsignedShort(data1, static_cast<std::uint32_t>(look.tab_stop));
        }
        data1.Bytes(commands_.bytes());
        record.data1 = data1.Take();
        return record;
    }

  private:
    void Command(std::uint8_t command) {
        strings_ += pending_;
        strings_ += '\0';
        pending_.clear();
        commands_.U8(command);
    }

    std::string strings_;
    std::string pending_;
    ByteBuffer commands_;
    std::uint32_t characters_ = 0;
};

Record TitleRecord(const Topic& topic, std::size_t index) {
    TextRecordBuilder builder;
    builder.Font(kFontTitle);
    builder.Text(topic.title);
    return builder.Finish(kTitleLook, index, topic.line);
}

Record ParagraphRecord(const Paragraph& paragraph, std::size_t index) {
    TextRecordBuilder builder;
    builder.Font(kFontNormal);
    if (paragraph.kind == Paragraph::Kind::kBullet) {
        builder.Text(std::string_view(&kBullet, 1));
        builder.Tab();
    }
    bool bold = false;
    int link = -1;
    for (const Piece& piece : paragraph.pieces) {
        if (piece.link != link) {
            if (link >= 0) {
                builder.LinkEnd();
            }
            if (piece.link >= 0) {
                const std::string& target =
                    paragraph.links.at(static_cast<std::size_t>(piece.link)).target;
                builder.Jump(WinHelpHash(target));
            }
            link = piece.link;
        }
        if (piece.bold != bold) {
            builder.Font(piece.bold ? kFontBold : kFontNormal);
            bold = piece.bold;
        }
        builder.Text(piece.text);
    }
    if (link >= 0) {
        builder.LinkEnd();
    }
    const ParagraphLook& look =
        paragraph.kind == Paragraph::Kind::kBullet ? kBulletLook : kBodyLook;
    return builder.Finish(look, index, paragraph.line);
}

Record TopicHeaderRecord(const Topic& topic, std::size_t index) {
    Record record;
    record.type = kTopicHeaderRecord;
    record.topic = index;
    record.line = topic.line;
    record.data1.assign(28, 0);  // filled in once the topics have their places
    record.data2 = topic.title;
    record.data2 += '\0';
    return record;
}

std::string Where(const HelpProject& project, int line) {
    return project.source_name + ":" + std::to_string(line) + ": ";
}

// |TOPIC: the records of every topic, in 4 KiB blocks that no record crosses.
struct TopicFile {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> topic_offsets;  // by topic
};

TopicFile BuildTopicFile(const HelpProject& project) {
    std::vector<Record> records;
    std::vector<std::size_t> header_of_topic;
    for (std::size_t t = 0; t < project.topics.size(); ++t) {
        const Topic& topic = project.topics[t];
        header_of_topic.push_back(records.size());
        records.push_back(TopicHeaderRecord(topic, t));
        records.push_back(TitleRecord(topic, t));
        for (const Paragraph& paragraph : topic.paragraphs) {
            records.push_back(ParagraphRecord(paragraph, t));
        }
    }

    // Places: a record that does not fit the rest of a block starts the next one.
    std::uint32_t block = 0;
    std::uint32_t used = 0;
    std::uint32_t characters = 0;
    for (Record& record : records) {
        const std::size_t size = record.Size();
        if (size > kTopicBlockData) {
            throw WinHelpError(Where(project, record.line) +
                               (record.type == kTopicHeaderRecord ? "title" : "paragraph") +
                               " too long for a topic block (" + std::to_string(size) +
                               " bytes with its header, at most " +
                               std::to_string(kTopicBlockData) + ")");
        }
        if (used + size > kTopicBlockData) {
            ++block;
            used = 0;
            characters = 0;
        }
        record.block = block;
        record.offset = used;
        record.characters_before = characters;
        used += static_cast<std::uint32_t>(size);
        characters += record.characters;
    }
    if (block >= 0x20000) {
        throw WinHelpError(Where(project, records.back().line) + "too much text for one help file");
    }

    TopicFile file;
    for (std::size_t header : header_of_topic) {
        file.topic_offsets.push_back(records[header].TopicOffset());
    }

    // Topic headers: size, browse sequence (the topics in file order), number, regions.
    for (std::size_t t = 0; t < header_of_topic.size(); ++t) {
        const std::size_t first = header_of_topic[t];
        const std::size_t end =
            t + 1 < header_of_topic.size() ? header_of_topic[t + 1] : records.size();
        std::uint32_t topic_size = 0;
        for (std::size_t r = first; r < end; ++r) {
            topic_size += static_cast<std::uint32_t>(records[r].Size());
        }
        ByteBuffer header;
        header.U32(topic_size);
        header.U32(t == 0 ? kNone : file.topic_offsets[t - 1]);
        header.U32(t + 1 == header_of_topic.size() ? kNone : file.topic_offsets[t + 1]);
        header.U32(static_cast<std::uint32_t>(t));
        header.U32(kNone);  // no non-scrolling region
        header.U32(records[first + 1].Position());
        header.U32(end < records.size() ? records[end].Position() : kNone);
        records[first].data1 = header.Take();
    }

    ByteBuffer out;
    std::size_t next = 0;
    std::uint32_t last_header_before = kNone;
    for (std::uint32_t b = 0; b <= block; ++b) {
        const std::size_t block_start = out.size();
        out.U32(next == 0 ? kNone : records[next - 1].Position());
        out.U32(records[next].Position());
        out.U32(last_header_before);
        while (next < records.size() && records[next].block == b) {
            const Record& record = records[next];
            out.U32(static_cast<std::uint32_t>(record.Size()));
            out.U32(static_cast<std::uint32_t>(record.data2.size()));
            out.U32(next == 0 ? kNone : records[next - 1].Position());
            out.U32(next + 1 == records.size() ? kNone : records[next + 1].Position());
            out.U32(static_cast<std::uint32_t>(kRecordHeader + record.data1.size()));
            out.U8(record.type);
            out.Bytes(record.data1);
            out.Text(record.data2);
            if (record.type == kTopicHeaderRecord) {
                last_header_before = record.Position();
            }
            ++next;
        }
        out.Zeros(block_start + kTopicBlockSize - out.size());
    }
    file.bytes = out.Take();
    return file;
}

std::vector<std::uint8_t> BuildSystemFile(const HelpProject& project,
                                          std::uint32_t contents_offset) {
    ByteBuffer out;
    out.U16(0x036C);
    out.U16(21);  // a Windows 3.1 file, which WinHelp 4 reads too
    out.U16(1);
    out.U32(0);  // no creation date: the same source gives the same file
    out.U16(0);  // topic blocks of 4 KiB, not compressed
    auto record = [&out](std::uint16_t type, const std::vector<std::uint8_t>& data) {
        out.U16(type);
        out.U16(static_cast<std::uint32_t>(data.size()));
        out.Bytes(data);
    };
    ByteBuffer title;
    title.TextZ(project.title);
    record(1, title.bytes());
    ByteBuffer contents;
    contents.U32(contents_offset);
    record(3, contents.bytes());
    ByteBuffer macro;
    macro.TextZ("BrowseButtons()");
    record(4, macro.bytes());
    // The main window, so that its caption is the file's title however the viewer was
    // started: flags (type, name and caption given), type, name, caption, then the place,
    // size, state and colours, which are left to the viewer.
    ByteBuffer window;
    window.U16(0x0007);
    auto fixed = [&window](std::string_view text, std::size_t size) {
        std::string field(text.substr(0, size - 1));
        field.resize(size, '\0');
        window.Text(field);
    };
    fixed("primary", 10);
    fixed("main", 9);
    fixed(project.title, 51);
    window.Zeros(10 + 8);
    record(6, window.bytes());
    return out.Take();
}

std::vector<std::uint8_t> BuildFontFile() {
    constexpr std::uint32_t kFaceLength = 32;
    const char* const faces[] = {"Arial"};
    struct Descriptor {
        std::uint8_t attributes;  // 1: bold
        std::uint8_t half_points;
    };
    const Descriptor descriptors[] = {{0, 20}, {1, 20}, {1, 28}};  // normal, bold, title
    ByteBuffer out;
    const std::uint32_t face_count = static_cast<std::uint32_t>(std::size(faces));
    out.U16(face_count);
    out.U16(static_cast<std::uint32_t>(std::size(descriptors)));
    out.U16(8);
    out.U16(8 + face_count * kFaceLength);
    for (const char* face : faces) {
        std::string name(face);
        name.resize(kFaceLength, '\0');
        out.Text(name);
    }
    for (const Descriptor& d : descriptors) {
        out.U8(d.attributes);
        out.U8(d.half_points);
        out.U8(0x03);  // swiss
        out.U16(0);    // face name 0
        out.U8(0);     // black text
        out.U8(0);
        out.U8(0);
        out.U8(0xFF);  // on white
        out.U8(0xFF);
        out.U8(0xFF);
    }
    return out.Take();
}

std::vector<std::uint8_t> BuildContextFile(const HelpProject& project,
                                           const std::vector<std::uint32_t>& topic_offsets) {
    std::vector<std::pair<std::int32_t, std::uint32_t>> pairs;
    for (std::size_t t = 0; t < project.topics.size(); ++t) {
        pairs.emplace_back(WinHelpHash(project.topics[t].context), topic_offsets[t]);
    }
    std::sort(pairs.begin(), pairs.end());  // by the hash as a signed number
    std::vector<BTreeEntry> entries;
    for (const auto& [hash, offset] : pairs) {
        ByteBuffer key;
        key.U32(static_cast<std::uint32_t>(hash));
        ByteBuffer value;
        value.U32(offset);
        entries.push_back(BTreeEntry{key.Take(), value.Take()});
    }
    return BuildBTree(entries, BTreeLayout{0x0002, 0x0800, "L4"});
}

std::vector<std::uint8_t> BuildMapFile(const HelpProject& project,
                                       const std::vector<std::uint32_t>& topic_offsets) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (std::size_t t = 0; t < project.topics.size(); ++t) {
        for (const HelpId& id : project.topics[t].ids) {
            pairs.emplace_back(id.value, topic_offsets[t]);
        }
    }
    std::sort(pairs.begin(), pairs.end());
    if (pairs.size() > 0xFFFF) {
        throw WinHelpError(project.source_name + ": more help ids than |CTXOMAP holds");
    }
    ByteBuffer out;
    out.U16(static_cast<std::uint32_t>(pairs.size()));
    for (const auto& [id, offset] : pairs) {
        out.U32(id);
        out.U32(offset);
    }
    return out.Take();
}

}  // namespace

std::int32_t WinHelpHash(std::string_view context) {
    std::uint32_t hash = 0;
    for (char c : context) {
        std::uint32_t value = 0;
        if (c >= 'A' && c <= 'Z') {
            value = static_cast<std::uint32_t>(c - 'A') + 17;
        } else if (c >= 'a' && c <= 'z') {
            value = static_cast<std::uint32_t>(c - 'a') + 17;
        } else if (c >= '1' && c <= '9') {
            value = static_cast<std::uint32_t>(c - '0');
        } else if (c == '0') {
            value = 10;
        } else if (c == '.') {
            value = 12;
        } else if (c == '_') {
            value = 13;
        }
        if (value != 0) {
            hash = hash * 43 + value;
        }
    }
    return static_cast<std::int32_t>(hash);
}

std::vector<std::uint8_t> WriteWinHelp(const HelpProject& project) {
    if (project.topics.empty()) {
        throw WinHelpError(project.source_name + ": no topics");
    }
    TopicFile topic = BuildTopicFile(project);
    // Internal files by name; std::map keeps the directory's byte order of names.
    std::map<std::string, std::vector<std::uint8_t>> files;
    files["|SYSTEM"] = BuildSystemFile(project, topic.topic_offsets.front());
    files["|FONT"] = BuildFontFile();
    files["|CONTEXT"] = BuildContextFile(project, topic.topic_offsets);
    files["|CTXOMAP"] = BuildMapFile(project, topic.topic_offsets);
    files["|TOPIC"] = std::move(topic.bytes);

    ByteBuffer out;
    out.U32(0x00035F3F);
    out.U32(0);      // the directory's place, set below
    out.U32(kNone);  // no free list
    out.U32(0);      // the file's size, set below
    auto put_internal_file = [&out](const std::vector<std::uint8_t>& content) {
        const auto at = static_cast<std::uint32_t>(out.size());
        out.U32(static_cast<std::uint32_t>(content.size() + 9));  // reserved, with this header
        out.U32(static_cast<std::uint32_t>(content.size()));
        out.U8(4);
        out.Bytes(content);
        return at;
    };
    std::vector<BTreeEntry> directory;
    for (const auto& [name, content] : files) {
        ByteBuffer key;
        key.TextZ(name);
        ByteBuffer value;
        value.U32(put_internal_file(content));
        directory.push_back(BTreeEntry{key.Take(), value.Take()});
    }
    const std::uint32_t directory_at =
        put_internal_file(BuildBTree(directory, BTreeLayout{0x0402, 0x0400, "z4"}));
    out.SetU32(4, directory_at);
    out.SetU32(12, static_cast<std::uint32_t>(out.size()));
    return out.Take();
}

}  // namespace helpgen
