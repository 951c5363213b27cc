// The WinHelp 3.1 file writer (README.md says how the file is laid out).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "help_source.h"

namespace helpgen {

// Size of a topic block and the bytes a block holds after its 12-byte header.
inline constexpr std::uint32_t kTopicBlockSize = 0x1000;
inline constexpr std::uint32_t kTopicBlockData = kTopicBlockSize - 12;

// The hash a context name is known by in |CONTEXT and in jumps: h = 43 h + value(c) over the
// name's characters with 32-bit wrap-around; letters count without case, and characters
// outside A-Z a-z 0-9 . _ do not count.
std::int32_t WinHelpHash(std::string_view context);

// What the writer reports when the source does not fit the format (with "file:line:").
class WinHelpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The whole .hlp file for a project that parsed without errors.
std::vector<std::uint8_t> WriteWinHelp(const HelpProject& project);

}  // namespace helpgen
