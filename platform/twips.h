#pragma once
// Lengths in twips (1440 an inch) and the screen's pixels: one conversion for every layer,
// rounded to the nearest as the system's MulDiv does, so that a length converted twice
// lands on the same pixel (at 192 dpi a pixel is 7.5 twips: truncating loses a pixel in
// every fifteen).
#include <cstdint>

namespace platform {

inline constexpr int kTwipsPerInch = 1440;

// a * b / c, rounded half away from zero; 0 when c is 0.
constexpr int MulDivRound(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t n = product < 0 ? -product : product;
    const std::int64_t d = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (n + d / 2) / d;
    return static_cast<int>(negative ? -q : q);
}

constexpr int PixelsToTwips(int pixels, int dpi) {
    return MulDivRound(pixels, kTwipsPerInch, dpi);
}
constexpr int TwipsToPixels(int twips, int dpi) {
    return MulDivRound(twips, dpi, kTwipsPerInch);
}

}  // namespace platform
