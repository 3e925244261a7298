#include "platform/image.h"

namespace platform {
namespace {

// The source span [first, last) that target cell `i` of `target` covers; at least one
// source pixel, so enlarging repeats pixels instead of leaving gaps.
void Span(int i, int source, int target, int& first, int& last) {
    first = static_cast<int>(static_cast<std::int64_t>(i) * source / target);
    last = static_cast<int>(static_cast<std::int64_t>(i + 1) * source / target);
    if (last <= first) last = first + 1;
}

}  // namespace

Image Stretch(const Image& source, int width, int height) {
    Image out;
    if (source.Empty() || width <= 0 || height <= 0 ||
        static_cast<std::int64_t>(width) * height > kMaxImagePixels)
        return out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        int top, bottom;
        Span(y, source.height, height, top, bottom);
        for (int x = 0; x < width; ++x) {
            int left, right;
            Span(x, source.width, width, left, right);
            std::uint64_t r = 0, g = 0, b = 0;
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    const std::uint32_t p = source.At(sx, sy);
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                }
            }
            const std::uint64_t n = static_cast<std::uint64_t>(bottom - top) * (right - left);
            out.pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint32_t>(
                ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
        }
    }
    return out;
}

}  // namespace platform
