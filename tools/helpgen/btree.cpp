#include "btree.h"

#include <stdexcept>
#include <utility>

#include "byte_buffer.h"

namespace helpgen {
namespace {

constexpr std::size_t kLeafHeader = 8;   // unused bytes, entries, previous, next
constexpr std::size_t kIndexHeader = 6;  // unused bytes, entries, first child
constexpr std::uint32_t kNoPage = 0xFFFF;

struct Page {
    std::vector<std::uint8_t> bytes;  // header and entries, without the unused tail
};

// One level of the tree as it is built: each page with the first key below it.
struct Node {
    std::uint32_t page;
    std::vector<std::uint8_t> first_key;
};

}  // namespace

std::vector<std::uint8_t> BuildBTree(const std::vector<BTreeEntry>& entries,
                                     const BTreeLayout& layout) {
    const std::size_t page_size = layout.page_size;
    std::vector<Page> pages;
    std::vector<Node> level;

    // The leaves, linked both ways.
    std::vector<std::vector<const BTreeEntry*>> leaves(1);
    std::size_t used = kLeafHeader;
    for (const BTreeEntry& entry : entries) {
        const std::size_t size = entry.key.size() + entry.value.size();
        if (kLeafHeader + size > page_size) {
            throw std::runtime_error("a B+ tree entry does not fit a page");
        }
        if (used + size > page_size) {
            leaves.emplace_back();
            used = kLeafHeader;
        }
        leaves.back().push_back(&entry);
        used += size;
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        ByteBuffer page;
        std::size_t bytes = kLeafHeader;
        for (const BTreeEntry* entry : leaves[i]) {
            bytes += entry->key.size() + entry->value.size();
        }
        page.U16(static_cast<std::uint32_t>(page_size - bytes));
        page.U16(static_cast<std::uint32_t>(leaves[i].size()));
        page.U16(i == 0 ? kNoPage : static_cast<std::uint32_t>(i - 1));
        page.U16(i + 1 == leaves.size() ? kNoPage : static_cast<std::uint32_t>(i + 1));
        for (const BTreeEntry* entry : leaves[i]) {
            page.Bytes(entry->key);
            page.Bytes(entry->value);
        }
        level.push_back(
            Node{static_cast<std::uint32_t>(pages.size()),
                 leaves[i].empty() ? std::vector<std::uint8_t>{} : leaves[i].front()->key});
        pages.push_back(Page{page.Take()});
    }

    // Index levels until one page holds them all.
    int levels = 1;
    while (level.size() > 1) {
        std::vector<Node> above;
        std::size_t i = 0;
        while (i < level.size()) {
            // The first child goes in the header; each further child adds its key and page.
            ByteBuffer entries_bytes;
            const Node& first = level[i++];
            std::size_t count = 0;
            std::size_t bytes = kIndexHeader;
            while (i < level.size() && bytes + level[i].first_key.size() + 2 <= page_size) {
                entries_bytes.Bytes(level[i].first_key);
                entries_bytes.U16(level[i].page);
                bytes += level[i].first_key.size() + 2;
                ++count;
                ++i;
            }
            if (count == 0 && i < level.size()) {
                throw std::runtime_error("a B+ tree key does not fit an index page");
            }
            ByteBuffer page;
            page.U16(static_cast<std::uint32_t>(page_size - bytes));
            page.U16(static_cast<std::uint32_t>(count));
            page.U16(first.page);
            page.Bytes(entries_bytes.bytes());
            above.push_back(Node{static_cast<std::uint32_t>(pages.size()), first.first_key});
            pages.push_back(Page{page.Take()});
        }
        level = std::move(above);
        ++levels;
    }
    if (pages.size() >= kNoPage) {
        throw std::runtime_error("a B+ tree has too many pages");
    }

    ByteBuffer tree;
    tree.U16(0x293B);
    tree.U16(layout.flags);
    tree.U16(layout.page_size);
    std::string structure = layout.structure;
    structure.resize(16, '\0');
    tree.Text(structure);
    tree.U16(0);  // must be zero
    tree.U16(0);  // page splits
    tree.U16(level.front().page);
    tree.U16(0xFFFF);  // must be -1
    tree.U16(static_cast<std::uint32_t>(pages.size()));
    tree.U16(static_cast<std::uint32_t>(levels));
    tree.U32(static_cast<std::uint32_t>(entries.size()));
    for (const Page& page : pages) {
        tree.Bytes(page.bytes);
        tree.Zeros(page_size - page.bytes.size());
    }
    return tree.Take();
}

}  // namespace helpgen
