#pragma once
// BMP files built byte by byte, as other programs write them, so the reader is checked
// against the format rather than against our own writer.
#include <cstdint>
#include <string>
#include <vector>

namespace quopa::testing {

inline void Le(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct BmpSample {
    int width = 0, height = 0;  // a negative height stores the rows top-down
    int bpp = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // red, green, blue, after the header
    std::string rows;                    // as stored, padding included

    std::string Bytes() const {
        std::string head;
        Le(head, 40, 4);
        Le(head, static_cast<std::uint32_t>(width), 4);
        Le(head, static_cast<std::uint32_t>(height), 4);
        Le(head, 1, 2);
        Le(head, static_cast<std::uint32_t>(bpp), 2);
        Le(head, compression, 4);
        Le(head, static_cast<std::uint32_t>(rows.size()), 4);
        Le(head, 2835, 4);
        Le(head, 2835, 4);
        Le(head, static_cast<std::uint32_t>(palette.size()), 4);
        Le(head, 0, 4);
        for (std::uint32_t m : masks) Le(head, m, 4);
        for (std::uint32_t c : palette) Le(head, c, 4);
        std::string file = "BM";
        Le(file, static_cast<std::uint32_t>(14 + head.size() + rows.size()), 4);
        Le(file, 0, 4);
        Le(file, static_cast<std::uint32_t>(14 + head.size()), 4);
        return file + head + rows;
    }
};

// 3 x 2 pixels at 24 bits, bottom-up: top row red, green, blue; bottom row white, black,
// grey. Each row is 9 bytes of colour and 3 of padding.
inline BmpSample Rgb24Sample() {
    BmpSample s{3, 2, 24};
    s.rows = std::string("\xFF\xFF\xFF\x00\x00\x00\x80\x80\x80\0\0\0", 12) +
             std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\0\0\0", 12);
    return s;
}
inline const std::vector<std::uint32_t> kRgb24Pixels = {0xFF0000, 0x00FF00, 0x0000FF,
                                                        0xFFFFFF, 0x000000, 0x808080};

}  // namespace quopa::testing
