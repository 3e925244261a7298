#include <gtest/gtest.h>

#include "platform/picture_header.h"
#include "tests/native/picture_samples.h"

namespace quopa::testing {
namespace {

using platform::DecodeBmp;
using platform::Image;
using Pixels = std::vector<std::uint32_t>;

BmpSample Sample(int w, int h, int bpp, std::string rows, Pixels palette = {}, Pixels masks = {}) {
    BmpSample s{w, h, bpp, masks.empty() ? 0u : 3u, std::move(palette), std::move(masks)};
    s.rows = std::move(rows);
    return s;
}

TEST(BmpReadTest, ReadsTheCommonPixelFormatsAndRefusesWhatIsNotAWholeBitmap) {
    const std::pair<BmpSample, Pixels> cases[] = {
        {Rgb24Sample(), kRgb24Pixels},
        // 8 bits, top-down, one byte of padding a row.
        {Sample(3, -2, 8, std::string("\x00\x01\x02\0\x02\x02\x00\0", 8),
                {0x112233, 0xA0B0C0, 0x00FF00}),
         {0x112233, 0xA0B0C0, 0x00FF00, 0x00FF00, 0x00FF00, 0x112233}},
        // 32 bits: the fourth byte is ignored.
        {Sample(2, 1, 32, std::string("\x01\x02\x03\xFF\x04\x05\x06\x00", 8)),
         {0x030201, 0x060504}},
        // 16 bits with 5-6-5 masks.
        {Sample(4, 1, 16, std::string("\x00\xF8\xE0\x07\x1F\x00\xFF\xFF", 8), {},
                {0xF800, 0x07E0, 0x001F}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
        // 1 bit: the first pixel is the highest bit.
        {Sample(9, 1, 1, std::string("\xA0\x80\0\0", 4), {0x000000, 0xFFFFFF}),
         {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0, 0xFFFFFF}}};
    for (const auto& [sample, pixels] : cases) {
        Image image;
        ASSERT_TRUE(DecodeBmp(sample.Bytes(), image)) << sample.bpp;
        EXPECT_EQ(std::tuple(image.width, image.height, image.pixels),
                  std::tuple(sample.width, std::abs(sample.height), pixels));
    }
    // Refused, among others: one byte short of the last row, run-length rows, zero wide, two
    // bits a pixel.
    const std::string good = Rgb24Sample().Bytes();
    BmpSample huge{1 << 20, 1 << 20, 24};  // claims a terabyte of pixels, holds none
    BmpSample rle = Sample(3, 2, 8, std::string(8, '\0'), {0});
    rle.compression = 1;
    for (const std::string& bytes :
         {std::string(), std::string("BM"), std::string("GIF89a"), good.substr(0, good.size() - 1),
          "MB" + good.substr(2), huge.Bytes(), rle.Bytes(), BmpSample{0, 2, 24}.Bytes(),
          Sample(4, 1, 2, std::string(4, '\0')).Bytes()}) {
        Image image{1, 1, {7}};
        EXPECT_FALSE(DecodeBmp(bytes, image)) << bytes.size() << " bytes";
        EXPECT_EQ(image.pixels, Pixels{7}) << "left untouched";
    }
}

std::string WithLe16(std::string bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
    return bytes;
}

// The decoder never sees what its header gives away: sizes beyond the bound, told apart as
// too large (a camera's photo is within it), or less file than the header promises.
TEST(PictureHeaderTest, TakesOnlyWholePicturesWithinTheBounds) {
    const std::string bmp = Rgb24Sample().Bytes();
    BmpSample rle = Sample(3, 2, 8, std::string("\x03\x00\x00\x00\x03\x00\x00\x01", 8), {0});
    rle.compression = 1;
    std::string rleClaimingMore = rle.Bytes();
    rleClaimingMore[34] = 9;  // its size of compressed rows, one byte past the end
    const auto read = [](const std::string& bytes) -> std::string {
        const platform::PictureHeader header = platform::ReadPictureHeader(bytes);
        if (header.read != platform::PictureRead::Ok)
            return header.read == platform::PictureRead::TooLarge ? "too large" : "refused";
        const char* const formats[] = {"BMP", "GIF", "JPEG"};
        return std::string(formats[static_cast<int>(header.format)]) + " " +
               std::to_string(header.width) + "x" + std::to_string(header.height);
    };
    // At the bound: 1 bit a pixel, every row present.
    const std::string mono = Sample(8192, 8192, 1, std::string(1024 * 8192, '\0'), {0, 1}).Bytes();
    const std::pair<std::string, const char*> taken[] = {
        {bmp, "BMP 3x2"},       {mono, "BMP 8192x8192"}, {rle.Bytes(), "BMP 3x2"},
        {Gif(true), "GIF 2x1"}, {Jpeg(), "JPEG 8x8"},    {Jpeg(6000, 4000), "JPEG 6000x4000"}};
    for (const auto& [bytes, expected] : taken) EXPECT_EQ(read(bytes), expected);
    // Beyond the bound, even before the rows are missed; a GIF's screen or frame beyond it.
    for (const std::string& bytes :
         {BmpSample{8193, 8192, 1}.Bytes(), BmpSample{1, static_cast<int>(0x80000000u), 24}.Bytes(),
          WithLe16(WithLe16(Gif(), 6, 65535), 8, 65535),
          WithLe16(WithLe16(Gif(), 24, 65535), 26, 65535), Jpeg(65500)})
        EXPECT_EQ(read(bytes), "too large") << bytes.size();
    // Cut short, a header only, an empty frame, a JPEG whose height is given later, and what
    // is no picture we read.
    for (const std::string& bytes :
         {bmp.substr(0, 54), bmp.substr(0, bmp.size() - 1), rleClaimingMore, WithLe16(Gif(), 24, 0),
          Gif(true).substr(0, 24), Jpeg(0), Jpeg().substr(0, 60), std::string(),
          std::string("\x89PNG\r\n\x1A\n")})
        EXPECT_EQ(read(bytes), "refused") << bytes.size();
}

// Shrinking averages, and a size beyond memory is refused.
TEST(StretchTest, AveragesAndRefusesASizeBeyondMemory) {
    Image checker{2, 2, {0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF}};
    EXPECT_EQ(platform::Stretch(checker, 1, 1).pixels, Pixels{0x808080});
    EXPECT_TRUE(platform::Stretch(checker, 1 << 16, 1 << 16).Empty());
}

}  // namespace
}  // namespace quopa::testing
