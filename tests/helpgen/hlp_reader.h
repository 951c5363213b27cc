// A reader for WinHelp 3.1 files, written for the tests from the published descriptions of the
// format and from how Wine's winhlp32 reads it. It shares no code with helpgen's writer: it
// parses what the writer wrote and reports the structure it finds, walking the file the way a
// viewer does (directory tree, |SYSTEM, |CONTEXT by tree descent, |CTXOMAP, and the |TOPIC
// record chain), and it throws HlpReadError where a viewer would give up.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace helpgen_test {

class HlpReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The context hash as the format describes it: characters map to values, letters without
// case ('A' and 'a' are 17, 'Z' 42), digits '1'-'9' to 1-9 and '0' to 10, '.' to 12, '_' to
// 13; others add nothing. h = 43 h + value over the name, modulo 2^32.
inline std::int32_t ReferenceHash(std::string_view name) {
    static const std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz";
    std::uint64_t h = 0;
    for (char c : name) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        std::uint64_t value = 0;
        if (const auto at = kLetters.find(lower); at != std::string_view::npos) {
            value = 17 + at;
        } else if (c == '0') {
            value = 10;
        } else if (c >= '1' && c <= '9') {
            value = static_cast<std::uint64_t>(c - '0');
        } else if (c == '.') {
            value = 12;
        } else if (c == '_') {
            value = 13;
        }
        if (value != 0) {
            h = (h * 43 + value) % 0x100000000ull;
        }
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(h));
}

// Bounds-checked little-endian access to a byte range.
class Bytes {
  public:
    Bytes(const std::vector<std::uint8_t>& data, std::size_t begin, std::size_t end)
        : data_(data), begin_(begin), end_(end) {
        if (begin > end || end > data.size()) {
            throw HlpReadError("range outside the file");
        }
    }
    std::size_t size() const { return end_ - begin_; }
    std::uint32_t U8(std::size_t at) const { return data_[Check(at, 1)]; }
    std::uint32_t U16(std::size_t at) const { return U8(at) | (U8(at + 1) << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::string Z(std::size_t at, std::size_t* after = nullptr) const {
        std::string s;
        std::size_t i = at;
        while (U8(i) != 0) {
            s += static_cast<char>(U8(i));
            ++i;
        }
        if (after != nullptr) {
            *after = i + 1;
        }
        return s;
    }
    Bytes Sub(std::size_t at, std::size_t length) const {
        Check(at, length);
        return Bytes(data_, begin_ + at, begin_ + at + length);
    }

  private:
    std::size_t Check(std::size_t at, std::size_t n) const {
        if (at + n > size()) {
            throw HlpReadError("read past the end of a structure");
        }
        return begin_ + at;
    }
    const std::vector<std::uint8_t>& data_;
    std::size_t begin_;
    std::size_t end_;
};

// A B+ tree of the file, walked the two ways a viewer walks one.
class BTree {
  public:
    // key_size(page, at, leaf) gives the bytes of the entry at `at` (key and value on a leaf,
    // key and page number above).
    using EntrySize = std::size_t (*)(const Bytes&, std::size_t, bool);

    BTree(Bytes tree, EntrySize entry_size) : tree_(tree), entry_size_(entry_size) {
        if (tree_.U16(0) != 0x293B) {
            throw HlpReadError("bad B+ tree magic");
        }
        flags = tree_.U16(2);
        page_size = tree_.U16(4);
        for (std::size_t i = 0; i < 16 && tree_.U8(6 + i) != 0; ++i) {
            structure += static_cast<char>(tree_.U8(6 + i));
        }
        root = tree_.U16(26);
        pages = tree_.U16(30);
        levels = tree_.U16(32);
        total_entries = tree_.U32(34);
        if (38 + std::size_t{pages} * page_size > tree_.size()) {
            throw HlpReadError("B+ tree pages outside the file");
        }
    }

    Bytes Page(std::uint32_t n) const {
        if (n >= pages) {
            throw HlpReadError("B+ tree page number out of range");
        }
        return tree_.Sub(38 + std::size_t{n} * page_size, page_size);
    }

    // Every leaf entry in order, following the first children down and the leaf chain along.
    std::vector<Bytes> Leaves() const {
        std::uint32_t page = root;
        for (int level = 1; level < levels; ++level) {
            page = Page(page).U16(4);
        }
        std::vector<Bytes> entries;
        std::set<std::uint32_t> seen;
        std::uint32_t previous = 0xFFFF;
        while (page != 0xFFFF) {
            if (!seen.insert(page).second) {
                throw HlpReadError("B+ tree leaf chain loops");
            }
            const Bytes leaf = Page(page);
            if (leaf.U16(4) != previous) {
                throw HlpReadError("B+ tree leaf's previous page is wrong");
            }
            std::size_t at = 8;
            const std::uint32_t count = leaf.U16(2);
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::size_t size = entry_size_(leaf, at, true);
                entries.push_back(leaf.Sub(at, size));
                at += size;
            }
            if (leaf.U16(0) != page_size - at) {
                throw HlpReadError("B+ tree leaf's count of unused bytes is wrong");
            }
            previous = page;
            page = leaf.U16(6);
        }
        if (entries.size() != total_entries) {
            throw HlpReadError("B+ tree holds another number of entries than its header says");
        }
        return entries;
    }

    // Descends from the root like a lookup: at each index page the last entry whose key is
    // not above the wanted one (compare(entry, key) > 0 means the entry is above), then scans
    // the leaf. Gives the leaf entry, if any.
    template <typename Compare>
    std::optional<Bytes> Find(Compare compare) const {
        std::uint32_t page = root;
        for (int level = 1; level < levels; ++level) {
            const Bytes index = Page(page);
            std::uint32_t child = index.U16(4);
            std::size_t at = 6;
            for (std::uint32_t i = 0; i < index.U16(2); ++i) {
                const std::size_t size = entry_size_(index, at, false);
                if (compare(index.Sub(at, size)) > 0) {
                    break;
                }
                child = index.U16(at + size - 2);
                at += size;
            }
            page = child;
        }
        const Bytes leaf = Page(page);
        std::size_t at = 8;
        for (std::uint32_t i = 0; i < leaf.U16(2); ++i) {
            const std::size_t size = entry_size_(leaf, at, true);
            const int order = compare(leaf.Sub(at, size));
            if (order == 0) {
                return leaf.Sub(at, size);
            }
            if (order > 0) {
                break;
            }
            at += size;
        }
        return std::nullopt;
    }

    std::uint32_t flags = 0, page_size = 0, root = 0, pages = 0, total_entries = 0;
    int levels = 0;
    std::string structure;

  private:
    Bytes tree_;
    EntrySize entry_size_;
};

inline std::size_t NameEntrySize(const Bytes& page, std::size_t at, bool leaf) {
    std::size_t after = 0;
    page.Z(at, &after);
    return after - at + (leaf ? 4 : 2);
}

inline std::size_t HashEntrySize(const Bytes&, std::size_t, bool leaf) {
    return leaf ? 8 : 6;
}

struct HlpRun {
    std::string text;
    int font = -1;
    std::int32_t jump = 0;  // hash of the jump the text belongs to, 0 for plain text

    bool operator==(const HlpRun&) const = default;
};

struct HlpParagraph {
    std::vector<HlpRun> runs;           // consecutive text of one font and jump is one run
    std::uint32_t declared_length = 0;  // TopicLength as stored
    std::uint32_t counted_length = 0;   // characters and paragraph ends actually found
    std::uint32_t bits = 0;
    int left_indent = 0;
    int first_line_indent = 0;
    std::vector<std::uint32_t> tab_stops;

    std::string Text() const {
        std::string s;
        for (const auto& run : runs) {
            s += run.text;
        }
        return s;
    }
};

struct HlpTopic {
    std::string title;
    std::uint32_t position = 0;  // TOPICPOS of its header record
    std::uint32_t offset = 0;    // TOPICOFFSET: block * 0x8000 + characters before it
    std::uint32_t browse_back = 0, browse_forward = 0, number = 0;
    std::vector<HlpParagraph> paragraphs;  // the first is the heading
};

struct HlpFile {
    std::vector<std::pair<std::string, std::uint32_t>> directory;  // in tree order
    std::uint32_t minor = 0, flags = 0;
    std::string title;
    std::optional<std::uint32_t> contents;
    std::vector<std::string> macros;
    std::string window_caption;
    struct Font {
        std::uint32_t attributes, half_points;
        std::string face;
    };
    std::vector<Font> fonts;
    std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;  // leaf order
    int context_levels = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> map;
    std::uint32_t topic_blocks = 0;
    std::vector<HlpTopic> topics;

    std::vector<std::uint8_t> bytes;
    std::uint32_t context_file = 0;  // where |CONTEXT's tree starts

    // The topic a viewer shows for a topic offset: the last one starting at or before it.
    const HlpTopic* TopicAt(std::uint32_t offset) const {
        const HlpTopic* found = nullptr;
        for (const HlpTopic& topic : topics) {
            if (topic.offset <= offset && (found == nullptr || found->offset < topic.offset)) {
                found = &topic;
            }
        }
        return found;
    }

    // |CONTEXT searched by descending its tree, as a jump does.
    std::optional<std::uint32_t> FindContext(std::int32_t hash) const {
        const Bytes file(bytes, 0, bytes.size());
        const std::uint32_t used = file.U32(context_file + 4);
        BTree tree(file.Sub(context_file + 9, used), HashEntrySize);
        auto entry = tree.Find([hash](const Bytes& e) {
            const std::int32_t key = e.I32(0);
            return key < hash ? -1 : (key > hash ? 1 : 0);
        });
        if (!entry) {
            return std::nullopt;
        }
        return entry->U32(4);
    }

    std::optional<std::uint32_t> FindMap(std::uint32_t id) const {
        for (const auto& [key, offset] : map) {
            if (key == id) {
                return offset;
            }
        }
        return std::nullopt;
    }
};

namespace hlp_detail {

// The variable-length numbers of a text record.
inline std::int32_t SignedLong(const Bytes& b, std::size_t& at) {
    if (b.U8(at) & 1) {
        const std::int64_t v = static_cast<std::int64_t>(b.U32(at) / 2) - 0x40000000;
        at += 4;
        return static_cast<std::int32_t>(v);
    }
    const std::int32_t v = static_cast<std::int32_t>(b.U16(at) / 2) - 0x4000;
    at += 2;
    return v;
}
inline std::uint32_t UnsignedShort(const Bytes& b, std::size_t& at) {
    if (b.U8(at) & 1) {
        const std::uint32_t v = b.U16(at) / 2;
        at += 2;
        return v;
    }
    return b.U8(at++) / 2;
}
inline int SignedShort(const Bytes& b, std::size_t& at) {
    if (b.U8(at) & 1) {
        const int v = static_cast<int>(b.U16(at) / 2) - 0x4000;
        at += 2;
        return v;
    }
    return static_cast<int>(b.U8(at++) / 2) - 0x40;
}

inline HlpParagraph ReadText(const Bytes& link1, const Bytes& link2) {
    HlpParagraph p;
    std::size_t at = 0;
    SignedLong(link1, at);  // TopicSize
    p.declared_length = UnsignedShort(link1, at);
    at += 4;  // two bytes of unknown meaning and the paragraph id
    p.bits = link1.U16(at);
    at += 2;
    if (p.bits & 0x0001) {
        SignedLong(link1, at);
    }
    for (std::uint32_t bit : {0x0002u, 0x0004u, 0x0008u}) {
        if (p.bits & bit) {
            SignedShort(link1, at);
        }
    }
    if (p.bits & 0x0010) {
        p.left_indent = SignedShort(link1, at);
    }
    if (p.bits & 0x0020) {
        SignedShort(link1, at);
    }
    if (p.bits & 0x0040) {
        p.first_line_indent = SignedShort(link1, at);
    }
    if (p.bits & 0x0100) {
        at += 3;
    }
    if (p.bits & 0x0200) {
        const int stops = SignedShort(link1, at);
        for (int i = 0; i < stops; ++i) {
            const std::uint32_t stop = UnsignedShort(link1, at);
            if (stop & 0x4000) {
                UnsignedShort(link1, at);
            }
            p.tab_stops.push_back(stop & 0x3FFF);
        }
    }
    // Strings and commands: each string is followed by one command, up to 0xFF.
    std::size_t text_at = 0;
    int font = -1;
    std::int32_t jump = 0;
    auto add = [&](const std::string& s) {
        if (s.empty()) {
            return;
        }
        p.counted_length += static_cast<std::uint32_t>(s.size());
        if (!p.runs.empty() && p.runs.back().font == font && p.runs.back().jump == jump) {
            p.runs.back().text += s;
        } else {
            p.runs.push_back(HlpRun{s, font, jump});
        }
    };
    while (true) {
        if (text_at >= link2.size()) {
            throw HlpReadError("a text record's commands outlast its strings");
        }
        std::size_t after = 0;
        add(link2.Z(text_at, &after));
        text_at = after;
        const std::uint32_t command = link1.U8(at++);
        if (command == 0xFF) {
            break;
        }
        switch (command) {
            case 0x80:
                font = static_cast<int>(link1.U16(at));
                at += 2;
                break;
            case 0x82:
                ++p.counted_length;
                break;
            case 0x83:
                add("\t");
                break;
            case 0x89:
                if (jump == 0) {
                    throw HlpReadError("a link ends that never started");
                }
                jump = 0;
                break;
            case 0xE3:
                jump = link1.I32(at);
                at += 4;
                break;
            default:
                throw HlpReadError("unexpected formatting command " + std::to_string(command));
        }
    }
    if (at != link1.size()) {
        throw HlpReadError("bytes after the end of a text record's commands");
    }
    if (text_at != link2.size()) {
        throw HlpReadError("strings left over after a text record's commands");
    }
    return p;
}

}  // namespace hlp_detail

inline HlpFile ReadHlp(const std::vector<std::uint8_t>& file_bytes) {
    using namespace hlp_detail;
    HlpFile hlp;
    hlp.bytes = file_bytes;
    const Bytes file(hlp.bytes, 0, hlp.bytes.size());
    if (file.U32(0) != 0x00035F3F) {
        throw HlpReadError("not a help file");
    }
    if (file.U32(12) != file.size()) {
        throw HlpReadError("the header's file size is wrong");
    }
    // An internal file: its header, then its bytes.
    auto internal = [&file](std::uint32_t at) {
        const std::uint32_t reserved = file.U32(at);
        const std::uint32_t used = file.U32(at + 4);
        if (reserved < used + 9 || std::size_t{at} + reserved > file.size()) {
            throw HlpReadError("bad internal file header");
        }
        return file.Sub(at + 9, used);
    };
    const BTree directory(internal(file.U32(4)), NameEntrySize);
    if ((directory.flags & 0x0400) == 0 || directory.structure != "z4") {
        throw HlpReadError("the directory's tree header is not a directory's");
    }
    std::map<std::string, std::uint32_t> files;
    for (const Bytes& entry : directory.Leaves()) {
        std::size_t after = 0;
        const std::string name = entry.Z(0, &after);
        if (!hlp.directory.empty() && !(hlp.directory.back().first < name)) {
            throw HlpReadError("directory not in byte order of names at " + name);
        }
        hlp.directory.emplace_back(name, entry.U32(after));
        files[name] = entry.U32(after);
    }
    // A lookup by name must find every file by descending the tree.
    for (const auto& [name, at] : hlp.directory) {
        auto found = directory.Find([&name](const Bytes& e) { return e.Z(0).compare(name); });
        if (!found || found->U32(name.size() + 1) != at) {
            throw HlpReadError("directory lookup misses " + name);
        }
    }
    auto need = [&files](const std::string& name) {
        auto it = files.find(name);
        if (it == files.end()) {
            throw HlpReadError("no internal file " + name);
        }
        return it->second;
    };

    // |SYSTEM
    const Bytes system = internal(need("|SYSTEM"));
    if (system.U16(0) != 0x036C || system.U16(4) != 1) {
        throw HlpReadError("bad |SYSTEM header");
    }
    hlp.minor = system.U16(2);
    hlp.flags = system.U16(10);
    if (hlp.minor <= 16 || hlp.flags != 0) {
        throw HlpReadError("this reader only knows uncompressed Windows 3.1 files");
    }
    for (std::size_t at = 12; at + 4 <= system.size();) {
        const std::uint32_t type = system.U16(at);
        const std::uint32_t size = system.U16(at + 2);
        const Bytes data = system.Sub(at + 4, size);
        if (type == 1) {
            hlp.title = data.Z(0);
        } else if (type == 3) {
            hlp.contents = data.U32(0);
        } else if (type == 4) {
            hlp.macros.push_back(data.Z(0));
        } else if (type == 6) {
            if (size != 90) {
                throw HlpReadError("a window record is not 90 bytes");
            }
            hlp.window_caption = data.Z(21);
        }
        at += 4 + size;
    }

    // |FONT
    const Bytes font = internal(need("|FONT"));
    const std::uint32_t faces = font.U16(0), descriptors = font.U16(2);
    const std::uint32_t faces_at = font.U16(4), descriptors_at = font.U16(6);
    const std::uint32_t face_length = faces == 0 ? 0 : (descriptors_at - faces_at) / faces;
    for (std::uint32_t i = 0; i < descriptors; ++i) {
        const std::size_t d = descriptors_at + i * 11;
        const std::uint32_t face = font.U16(d + 3);
        if (face >= faces) {
            throw HlpReadError("font names a face that is not there");
        }
        hlp.fonts.push_back(HlpFile::Font{
            font.U8(d), font.U8(d + 1), font.Sub(faces_at + face * face_length, face_length).Z(0)});
    }

    // |CONTEXT: the leaves in order; hashes sorted as signed numbers.
    hlp.context_file = need("|CONTEXT");
    const BTree contexts(internal(hlp.context_file), HashEntrySize);
    hlp.context_levels = contexts.levels;
    for (const Bytes& entry : contexts.Leaves()) {
        if (!hlp.contexts.empty() && !(hlp.contexts.back().first < entry.I32(0))) {
            throw HlpReadError("|CONTEXT hashes not in ascending signed order");
        }
        hlp.contexts.emplace_back(entry.I32(0), entry.U32(4));
    }

    // |CTXOMAP
    const Bytes map = internal(need("|CTXOMAP"));
    for (std::uint32_t i = 0; i < map.U16(0); ++i) {
        hlp.map.emplace_back(map.U32(2 + i * 8), map.U32(6 + i * 8));
    }

    // |TOPIC: whole 4 KiB blocks, records chained from position 12.
    const Bytes topic = internal(need("|TOPIC"));
    if (topic.size() % 0x1000 != 0 || topic.size() == 0) {
        throw HlpReadError("|TOPIC is not made of whole topic blocks");
    }
    hlp.topic_blocks = static_cast<std::uint32_t>(topic.size() / 0x1000);
    std::uint32_t position = 12;
    std::uint32_t previous = 0xFFFFFFFF;
    std::uint32_t block_seen = 0xFFFFFFFF;
    std::uint32_t characters = 0;
    std::set<std::uint32_t> visited;
    while (position != 0xFFFFFFFF) {
        if (!visited.insert(position).second) {
            throw HlpReadError("the record chain loops");
        }
        const std::uint32_t block = (position - 12) >> 14;
        const std::uint32_t offset = (position - 12) & 0x3FFF;
        if (position < 12 || block >= hlp.topic_blocks) {
            throw HlpReadError("a record position outside |TOPIC");
        }
        const Bytes data = topic.Sub(block * 0x1000 + 12, 0x1000 - 12);
        if (block != block_seen) {
            // A block's header names the first record in it and the one before it.
            const Bytes header = topic.Sub(block * 0x1000, 12);
            if (header.U32(4) != position || header.U32(0) != previous) {
                throw HlpReadError("a topic block header does not match the record chain");
            }
            block_seen = block;
            characters = 0;
        }
        const std::uint32_t size = data.U32(offset);
        const std::uint32_t length2 = data.U32(offset + 4);
        const std::uint32_t length1 = data.U32(offset + 16);
        if (length1 < 21 || size < length1 || std::size_t{offset} + size > data.size()) {
            throw HlpReadError("a record does not fit its topic block");
        }
        if (data.U32(offset + 8) != previous) {
            throw HlpReadError("a record's previous position is wrong");
        }
        if (size - length1 != length2) {
            throw HlpReadError("a record's text is compressed or cut");
        }
        const std::uint32_t type = data.U8(offset + 20);
        const Bytes link1 = data.Sub(offset + 21, length1 - 21);
        const Bytes link2 = data.Sub(offset + length1, length2);
        if (type == 0x02) {
            HlpTopic t;
            t.title = link2.Z(0);
            t.position = position;
            t.offset = block * 0x8000 + characters;
            t.browse_back = link1.U32(4);
            t.browse_forward = link1.U32(8);
            t.number = link1.U32(12);
            hlp.topics.push_back(t);
        } else if (type == 0x20) {
            if (hlp.topics.empty()) {
                throw HlpReadError("text before the first topic header");
            }
            HlpParagraph p = ReadText(link1, link2);
            characters += p.declared_length;
            hlp.topics.back().paragraphs.push_back(std::move(p));
        } else {
            throw HlpReadError("unexpected record type " + std::to_string(type));
        }
        previous = position;
        position = data.U32(offset + 12);
    }
    return hlp;
}

}  // namespace helpgen_test
