// What the fuzz targets share: reading decisions off the fuzzer's bytes, and stopping
// with a message when a property does not hold.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace perch::fuzz {

// Stops the run (libFuzzer keeps the input) and says which property failed where.
[[noreturn]] inline void Failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_REQUIRE(condition)                                    \
    do {                                                           \
        if (!(condition)) {                                        \
            ::perch::fuzz::Failed(#condition, __FILE__, __LINE__); \
        }                                                          \
    } while (false)

// The fuzzer's bytes read front to back as decisions. Once they run out every read
// answers 0 (or empty), so a short input still makes a complete, quiet scene.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    std::size_t Remaining() const { return Empty() ? 0 : size_ - pos_; }

    std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }
    bool Bool() { return (Byte() & 1) != 0; }

    // 0 .. n - 1 (n at least 1); up to 65536 choices.
    std::uint32_t Below(std::uint32_t n) {
        if (n <= 1) {
            return 0;
        }
        std::uint32_t v = Byte();
        if (n > 256) {
            v = v << 8 | Byte();
        }
        return v % n;
    }

    // Any 32-bit value, little-endian.
    std::int32_t Int32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        }
        return static_cast<std::int32_t>(v);
    }

    // Mostly small values around the interesting ranges, sometimes any 32-bit value.
    std::int32_t SmallOrAnyInt() {
        const std::uint8_t b = Byte();
        if (b >= 0xF0) {
            return Int32();
        }
        return static_cast<std::int32_t>(b) - 0x30;  // -48 .. 191
    }

    // A float from any bit pattern (NaN and infinities included).
    float AnyFloat() {
        const std::uint32_t bits = static_cast<std::uint32_t>(Int32());
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

    // The next n bytes, or as many as are left.
    std::string Bytes(std::size_t n) {
        n = std::min(n, Remaining());
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

    // A length byte (below maxLength + 1), then that many bytes.
    std::string ShortText(std::size_t maxLength) {
        return Bytes(Below(static_cast<std::uint32_t>(maxLength) + 1));
    }

    // Everything that is left.
    std::string Rest() { return Bytes(Remaining()); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace perch::fuzz
