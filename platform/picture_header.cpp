#include "platform/picture_header.h"

#include "platform/byte_reader.h"

namespace platform {
namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

constexpr PictureHeader kNotAPicture{};
constexpr PictureHeader kTooLarge{PictureRead::TooLarge};

PictureHeader Sized(PictureFormat format, std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) return kNotAPicture;
    if (width * height > kMaxImagePixels) return kTooLarge;
    return {PictureRead::Ok, format, static_cast<int>(width), static_cast<int>(height)};
}

PictureHeader Bmp(const ByteReader& in) {
    const std::size_t h = kBmpFileHeader;
    if (!in.Has(h, 4)) return kNotAPicture;
    const std::uint32_t headerSize = in.U32(h);
    std::int64_t width, height;
    std::uint32_t bpp, compression = kBiRgb, colours = 0, imageSize = 0;
    std::size_t entrySize = 4;
    if (headerSize == 12) {  // the oldest header: 16-bit sizes, 3-byte palette entries
        if (!in.Has(h, 12)) return kNotAPicture;
        width = in.U16(h + 4);
        height = in.U16(h + 6);
        bpp = in.U16(h + 10);
        entrySize = 3;
    } else {
        if (headerSize < 40 || !in.Has(h, headerSize)) return kNotAPicture;
        width = static_cast<std::int32_t>(in.U32(h + 4));
        height = static_cast<std::int32_t>(in.U32(h + 8));
        bpp = in.U16(h + 14);
        compression = in.U32(h + 16);
        imageSize = in.U32(h + 20);
        colours = in.U32(h + 32);
    }
    if (height < 0) height = -height;  // rows stored top-down
    const bool plain = compression == kBiRgb &&
                       (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32);
    const bool masked = compression == kBiBitfields && (bpp == 16 || bpp == 32);
    const bool rle = (compression == kBiRle8 && bpp == 8) || (compression == kBiRle4 && bpp == 4);
    if (!plain && !masked && !rle) return kNotAPicture;
    const PictureHeader header = Sized(PictureFormat::Bmp, width, height);
    if (header.read != PictureRead::Ok) return header;

    // Where the rows begin: as the file says, or right after the colour table when a writer
    // left the offset out.
    std::uint64_t rows = in.U32(10);
    if (rows < h + headerSize) {
        const std::uint64_t table = bpp <= 8 ? (colours ? colours : 1u << bpp) : 0;
        rows = h + headerSize + (masked && headerSize == 40 ? 12 : 0) + table * entrySize;
    }
    // Compressed rows have no fixed size; the header states how many bytes they take.
    const std::uint64_t need =
        rle ? imageSize : static_cast<std::uint64_t>((width * bpp + 31) / 32 * 4 * height);
    if (rle && need == 0) return kNotAPicture;
    if (rows > in.Size() || need > in.Size() - rows) return kNotAPicture;
    return header;
}

PictureHeader Gif(const ByteReader& in) {
    if (!in.Has(0, 13)) return kNotAPicture;
    const std::int64_t screenWidth = in.U16(6), screenHeight = in.U16(8);
    // Some decoders size the picture by the screen, others by the frame: both must fit.
    if (screenWidth * screenHeight > kMaxImagePixels) return kTooLarge;
    const std::uint32_t flags = in.U8(10);
    std::size_t at = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0);
    while (in.Has(at, 1)) {
        const std::uint32_t block = in.U8(at);
        if (block == 0x2C) {  // the first frame's descriptor
            if (!in.Has(at, 10)) return kNotAPicture;
            return Sized(PictureFormat::Gif, in.U16(at + 5), in.U16(at + 7));
        }
        if (block != 0x21 || !in.Has(at, 2)) return kNotAPicture;
        at += 2;  // an extension: its label, then sub-blocks up to an empty one
        while (in.Has(at, 1) && in.U8(at) != 0) at += in.U8(at) + 1;
        ++at;
    }
    return kNotAPicture;
}

bool IsFrameHeader(std::uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

PictureHeader Jpeg(const ByteReader& in) {
    std::size_t at = 2;
    while (in.Has(at, 2)) {
        if (in.U8(at) != 0xFF) return kNotAPicture;
        while (in.Has(at, 2) && in.U8(at + 1) == 0xFF) ++at;  // fill bytes
        if (!in.Has(at, 2)) return kNotAPicture;
        const std::uint32_t marker = in.U8(at + 1);
        at += 2;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;  // no length
        if (marker == 0xD9 || marker == 0xDA || !in.Has(at, 2)) return kNotAPicture;
        const std::uint32_t length = in.Be16(at);
        if (length < 2 || !in.Has(at, length)) return kNotAPicture;
        if (IsFrameHeader(marker)) {
            // A height of 0 is given later, after the first scan: too late to be checked.
            if (length < 7) return kNotAPicture;
            return Sized(PictureFormat::Jpeg, in.Be16(at + 5), in.Be16(at + 3));
        }
        at += length;
    }
    return kNotAPicture;
}

}  // namespace

PictureHeader ReadPictureHeader(std::string_view bytes) {
    if (bytes.size() > kMaxPictureBytes) return kTooLarge;
    const ByteReader in(bytes);
    if (bytes.substr(0, 2) == "BM") return Bmp(in);
    if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a") return Gif(in);
    if (bytes.substr(0, 2) == "\xFF\xD8") return Jpeg(in);
    return kNotAPicture;
}

PictureRead ReadPictureFile(Files& files, const std::string& path, std::string& bytes) {
    const FileInfo info = files.Query(path);
    if (info.kind != PathKind::File) return PictureRead::NotAPicture;
    if (info.size > kMaxPictureBytes) return PictureRead::TooLarge;
    if (!files.ReadAll(path, bytes)) return PictureRead::NotAPicture;
    return ReadPictureHeader(bytes).read;
}

}  // namespace platform
