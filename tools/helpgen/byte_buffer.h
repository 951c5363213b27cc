// A growing little-endian byte buffer: everything a WinHelp file holds is built with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace helpgen {

class ByteBuffer {
  public:
    void U8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF)); }
    void U16(std::uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Text(std::string_view s) {
        for (char c : s) {
            U8(static_cast<unsigned char>(c));
        }
    }
    // The text and its terminating NUL.
    void TextZ(std::string_view s) {
        Text(s);
        U8(0);
    }
    void Bytes(const std::vector<std::uint8_t>& b) {
        bytes_.insert(bytes_.end(), b.begin(), b.end());
    }
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void SetU16(std::size_t at, std::uint32_t v) {
        bytes_.at(at) = static_cast<std::uint8_t>(v & 0xFF);
        bytes_.at(at + 1) = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    }
    void SetU32(std::size_t at, std::uint32_t v) {
        SetU16(at, v & 0xFFFF);
        SetU16(at + 2, v >> 16);
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace helpgen
