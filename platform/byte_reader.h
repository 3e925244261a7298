#pragma once
// Bounds-checked reads of the numbers a file format stores, for parsers of untrusted files:
// every read is preceded by Has(), so a lying length cannot reach past the end.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform {

class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    bool Has(std::size_t offset, std::size_t n) const {
        return offset <= bytes_.size() && n <= bytes_.size() - offset;
    }
    std::uint32_t U8(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    // Little-endian, as BMP and GIF store them.
    std::uint32_t U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
    // Big-endian, as JPEG stores them.
    std::uint32_t Be16(std::size_t at) const { return U8(at) << 8 | U8(at + 1); }

  private:
    std::string_view bytes_;
};

}  // namespace platform
