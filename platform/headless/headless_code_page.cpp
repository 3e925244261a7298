#include "platform/headless/headless_code_page.h"

#include <cstdint>

namespace platform {

namespace {

// The characters of bytes 0x80 to 0x9F; 0 where the page has none.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToAnsi(std::uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (static_cast<std::uint32_t>(kHighControls[i]) == code)
            return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string HeadlessCodePage::AnsiFromUtf8(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80    ? 0
                          : lead >= 0xF0 ? 3
                          : lead >= 0xE0 ? 2
                          : lead >= 0xC0 ? 1
                                         : -1;
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size();
        std::uint32_t code = ok && extra > 0 ? lead & (0x3Fu >> extra) : lead;
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            ok = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += ToAnsi(code);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string HeadlessCodePage::AnsiFromUtf16(std::u16string_view utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const std::uint32_t unit = utf16[i];
        if (unit < 0xD800 || unit > 0xDFFF) {
            out += ToAnsi(unit);
            continue;
        }
        // A pair names a character beyond the page's reach; half of one names none.
        if (unit <= 0xDBFF && i + 1 < utf16.size() && (utf16[i + 1] & 0xFC00) == 0xDC00) ++i;
        out += '?';
    }
    return out;
}

}  // namespace platform
