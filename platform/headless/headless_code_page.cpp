#include "platform/headless/headless_code_page.h"

#include <cstdint>

#include "platform/text.h"

namespace platform {

namespace {

// The characters of the bytes from 0x80 that differ from Latin-1's; 0 where the page has
// none, which the system reads as the control character of that number.
constexpr std::uint16_t k1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
// Windows-1251's, to 0xBF; from 0xC0 on it holds the Cyrillic capitals then small letters.
constexpr std::uint16_t k1251[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t CharOf(int page, unsigned char b) {
    std::uint16_t c = b;
    if (page == 1251 && b >= 0x80) c = b >= 0xC0 ? 0x0410 + (b - 0xC0) : k1251[b - 0x80];
    if (page != 1251 && b >= 0x80 && b < 0xA0) c = k1252[b - 0x80];
    return c ? c : b;
}

char ToAnsi(int page, char32_t code) {
    if (code < 0x80) return static_cast<char>(code);
    for (int b = 0x80; b <= 0xFF; ++b)
        if (CharOf(page, static_cast<unsigned char>(b)) == code) return static_cast<char>(b);
    return '?';
}

}  // namespace

std::string HeadlessCodePage::Utf8FromAnsi(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (char b : ansi) AppendUtf8(out, CharOf(page, static_cast<unsigned char>(b)));
    return out;
}

std::string HeadlessCodePage::AnsiFromUtf8(std::string_view utf8) {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) out += ToAnsi(page, NextChar(utf8, at));
    return out;
}

std::string HeadlessCodePage::AnsiFromUtf16(std::u16string_view utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const std::uint32_t unit = utf16[i];
        if (unit < 0xD800 || unit > 0xDFFF) {
            out += ToAnsi(page, unit);
            continue;
        }
        // A pair names a character beyond the page's reach; half of one names none.
        if (unit <= 0xDBFF && i + 1 < utf16.size() && (utf16[i + 1] & 0xFC00) == 0xDC00) ++i;
        out += '?';
    }
    return out;
}

}  // namespace platform
