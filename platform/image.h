#pragma once
// A picture as plain pixels, so stretching and the BMP format work alike on every backend.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What reading a picture file gave: its pixels, or why not. TooLarge is beyond the bounds
// below or beyond what the process has left.
enum class PictureRead { Ok, NotAPicture, TooLarge };

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Largest picture we take apart, 8192 x 8192 or a 64-megapixel photo; a header claiming
// more is refused before any allocation. The avatar is read scaled, yet some of the system's
// decoders hold the whole picture once (up to 256 MB at four bytes a pixel), which a 32-bit
// process still finds in one piece.
constexpr std::int64_t kMaxImagePixels = 64ll * 1024 * 1024;

// The whole picture onto width x height pixels, aspect not kept. Each target pixel is the
// average of the source pixels it covers, so a large photo shrinks without sparkle.
Image Stretch(const Image& source, int width, int height);

// A BMP file: 24 bits per pixel, uncompressed, rows bottom-up and padded to 4 bytes, the
// form every viewer opens. Written through Files::ReplaceAtomically, a failed save leaves
// the earlier file as it was.
std::string EncodeBmp(const Image& image);

// Uncompressed BMP files of 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down, and
// 16 and 32 bits with bit-field masks. False for anything else, truncated data included.
bool DecodeBmp(const std::string& bytes, Image& image);

}  // namespace platform
