// The B+ trees of a WinHelp file: its directory of internal files and |CONTEXT.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace helpgen {

struct BTreeEntry {
    std::vector<std::uint8_t> key;    // as stored: a NUL-terminated name, or a 4-byte hash
    std::vector<std::uint8_t> value;  // what a leaf stores after the key
};

struct BTreeLayout {
    std::uint16_t flags = 0x0002;  // 0x0400 is added for the directory
    std::uint16_t page_size = 0x0800;
    std::string structure;  // "z4" for the directory, "L4" for |CONTEXT
};

// Builds the tree (its header and pages, not the internal file header) from entries that are
// already in the tree's order. Leaves are filled in order; when they are more than one, index
// pages above them lead to each leaf by its first key (an index page's first child is in
// its header), level by level up to a single root. Throws std::runtime_error when an entry
// does not fit a page or there are more pages than a 16-bit page number reaches.
std::vector<std::uint8_t> BuildBTree(const std::vector<BTreeEntry>& entries,
                                     const BTreeLayout& layout);

}  // namespace helpgen
