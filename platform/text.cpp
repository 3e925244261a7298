#include "platform/text.h"

namespace platform {

namespace {

constexpr bool Continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t CharCount(std::string_view utf8) {
    std::size_t chars = 0;
    for (char c : utf8) chars += !Continues(c);
    return chars;
}

std::string_view FirstChars(std::string_view utf8, std::size_t chars) {
    if (utf8.size() <= chars) return utf8;
    std::size_t at = 0;
    for (std::size_t seen = 0; at < utf8.size(); ++at)
        if (!Continues(utf8[at]) && seen++ == chars) break;
    return utf8.substr(0, at);
}

char32_t NextChar(std::string_view utf8, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(utf8[at++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (extra == 0 || utf8.size() - at < static_cast<std::size_t>(extra)) return 0xFFFD;
    char32_t c = lead & (0x3Fu >> extra);
    for (int k = 0; k < extra; ++k) {
        if (!Continues(utf8[at + k])) return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3F);
    }
    // Overlong forms and surrogates name no character of their own.
    const char32_t least = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
    at += static_cast<std::size_t>(extra);
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += static_cast<char>((0xFF00u >> (extra + 1)) | (c >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

}  // namespace platform
