// The BMP file format: our writer and the reader of the headless backend.
#include <utility>

#include "platform/byte_reader.h"
#include "platform/image.h"

namespace platform {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3;

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One channel of a bit-field pixel, widened to 8 bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const std::uint32_t bits = mask >> shift;
    const std::uint32_t max = bits;  // contiguous masks: all ones
    return (((pixel & mask) >> shift) * 255 + max / 2) / max;
}

struct Layout {
    std::int64_t width = 0, height = 0;
    bool topDown = false;
    std::uint32_t bpp = 0, compression = kBiRgb;
    std::uint32_t masks[3] = {0, 0, 0};
    std::vector<std::uint32_t> palette;
};

bool ReadLayout(const ByteReader& in, Layout& l) {
    if (!in.Has(0, kFileHeader + 4) || in.U16(0) != 0x4D42) return false;  // "BM"
    const std::uint32_t headerSize = in.U32(kFileHeader);
    const std::size_t h = kFileHeader;
    std::size_t paletteAt = h + headerSize;
    std::size_t entrySize = 4;
    if (headerSize == 12) {  // the oldest header: 16-bit sizes, 3-byte palette entries
        if (!in.Has(h, 12)) return false;
        l.width = in.U16(h + 4);
        l.height = in.U16(h + 6);
        l.bpp = in.U16(h + 10);
        entrySize = 3;
    } else {
        if (headerSize < kInfoHeader || !in.Has(h, headerSize)) return false;
        l.width = static_cast<std::int32_t>(in.U32(h + 4));
        l.height = static_cast<std::int32_t>(in.U32(h + 8));
        l.bpp = in.U16(h + 14);
        l.compression = in.U32(h + 16);
        if (l.compression == kBiBitfields) {
            // Masks follow a plain info header, or sit inside a longer one.
            if (headerSize == kInfoHeader) paletteAt += 12;
            if (!in.Has(h + kInfoHeader, 12)) return false;
            for (int i = 0; i < 3; ++i) l.masks[i] = in.U32(h + kInfoHeader + 4 * i);
        }
    }
    if (l.height < 0) {
        l.topDown = true;
        l.height = -l.height;
    }
    if (l.width <= 0 || l.height <= 0 || l.width * l.height > kMaxImagePixels) return false;
    if (l.compression == kBiRgb) {
        if (l.bpp == 16) {  // 5-5-5 when no masks are given
            l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
        } else if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 24 && l.bpp != 32) {
            return false;
        }
    } else if (l.compression != kBiBitfields || (l.bpp != 16 && l.bpp != 32)) {
        return false;
    }
    if (l.bpp <= 8) {
        std::uint32_t count = headerSize == 12 ? 0 : in.U32(h + 32);
        if (count == 0 || count > (1u << l.bpp)) count = 1u << l.bpp;
        if (!in.Has(paletteAt, count * entrySize)) return false;
        for (std::uint32_t i = 0; i < count; ++i)
            l.palette.push_back(in.U32(paletteAt + i * entrySize) & 0xFFFFFF);
    }
    return true;
}

}  // namespace

std::string EncodeBmp(const Image& image) {
    if (image.Empty()) return {};
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(image.height);
    std::string out;
    out.reserve(kFileHeader + kInfoHeader + dataSize);
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(kFileHeader + kInfoHeader) + dataSize);
    Put32(out, 0);
    Put32(out, kFileHeader + kInfoHeader);
    Put32(out, kInfoHeader);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, kBiRgb);
    Put32(out, dataSize);
    Put32(out, 3780);  // 96 dots per inch, in dots per metre
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.At(x, y);
            out += static_cast<char>(p & 0xFF);
            out += static_cast<char>((p >> 8) & 0xFF);
            out += static_cast<char>((p >> 16) & 0xFF);
        }
        out.append(stride - static_cast<std::uint32_t>(image.width) * 3, '\0');
    }
    return out;
}

bool DecodeBmp(const std::string& bytes, Image& image) {
    const ByteReader in(bytes);
    Layout l;
    if (!ReadLayout(in, l)) return false;
    const std::size_t dataAt = in.U32(10);
    const std::int64_t stride = (l.width * l.bpp + 31) / 32 * 4;
    if (!in.Has(dataAt, 0) || static_cast<std::int64_t>(bytes.size() - dataAt) < stride * l.height)
        return false;

    Image out;
    out.width = static_cast<int>(l.width);
    out.height = static_cast<int>(l.height);
    out.pixels.resize(static_cast<std::size_t>(l.width * l.height));
    for (int y = 0; y < out.height; ++y) {
        const std::size_t row =
            dataAt + static_cast<std::size_t>(stride * (l.topDown ? y : out.height - 1 - y));
        std::uint32_t* dest = &out.pixels[static_cast<std::size_t>(y) * out.width];
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t p;
            if (l.bpp <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * l.bpp;
                const std::uint32_t index =
                    (in.U8(row + bit / 8) >> (8 - l.bpp - bit % 8)) & ((1u << l.bpp) - 1);
                p = index < l.palette.size() ? l.palette[index] : 0;  // as Windows: black
            } else if (l.bpp == 24) {
                p = in.U16(row + 3 * x) | in.U8(row + 3 * x + 2) << 16;
            } else if (l.compression == kBiRgb && l.bpp == 32) {
                p = in.U32(row + 4 * x) & 0xFFFFFF;  // the fourth byte is not alpha here
            } else {
                const std::uint32_t v = l.bpp == 16 ? in.U16(row + 2 * x) : in.U32(row + 4 * x);
                p = Channel(v, l.masks[0]) << 16 | Channel(v, l.masks[1]) << 8 |
                    Channel(v, l.masks[2]);
            }
            dest[x] = p;
        }
    }
    image = std::move(out);
    return true;
}

}  // namespace platform
