#pragma once
// Picture files built byte by byte, as other programs write them, so the readers are checked
// against the formats rather than against our own writer.
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
        const auto u = [](auto v) { return static_cast<std::uint32_t>(v); };
        for (std::uint32_t v : {40u, u(width), u(height)}) Le(head, v, 4);
        Le(head, 1 | u(bpp) << 16, 4);  // planes, bits per pixel
        for (std::uint32_t v : {compression, u(rows.size()), 2835u, 2835u, u(palette.size()), 0u})
            Le(head, v, 4);
        for (std::uint32_t m : masks) Le(head, m, 4);
        for (std::uint32_t c : palette) Le(head, c, 4);
        std::string file = "BM";
        for (std::uint32_t v : {u(14 + head.size() + rows.size()), 0u, u(14 + head.size())})
            Le(file, v, 4);
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

// 2 x 1 pixels from a two-colour table, red then blue; with `transparent` the blue one is
// marked see-through.
inline std::string Gif(bool transparent = false) {
    std::string gif("GIF89a\x02\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF", 19);
    if (transparent) gif += std::string("\x21\xF9\x04\x01\x00\x00\x01\x00", 8);
    // Image block; the codes clear, 0, 1, end at 3 bits each.
    gif += std::string("\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0A\x00\x3B", 16);
    return gif;
}

// 8 x 8 pixels of mid grey, one block whose only coefficient is a zero DC, in a frame that
// claims `side` x `side`, or `side` x `height`.
inline std::string Jpeg(int side = 8, int height = 0) {
    std::string j("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    j += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    j += std::string("\xFF\xC0\x00\x0B\x08", 5);
    for (int v : {height ? height : side, side}) j += {static_cast<char>(v >> 8), char(v)};
    j += std::string("\x01\x01\x11\x00", 4);
    for (char tableClass : {'\x00', '\x10'})
        j +=
            std::string("\xFF\xC4\x00\x14", 4) + tableClass + '\x01' + std::string(15, '\0') + '\0';
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\x3F\xFF\xD9", 13);
    return j;
}

}  // namespace quopa::testing
