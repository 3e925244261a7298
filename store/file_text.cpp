#include "store/file_text.h"

#include <string_view>

#include "platform/text.h"

namespace quopa {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16Mark = "\xFF\xFE";

std::string Utf8FromUtf16(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() &&
            (unit(i + 2) & 0xFC00) == 0xDC00) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        platform::AppendUtf8(out, c);  // half of a pair alone becomes U+FFFD
    }
    return out;
}

std::string Utf16FromUtf8(std::string_view text) {
    std::string out(kUtf16Mark);
    out.reserve(2 * text.size() + 2);
    auto append = [&out](char32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    };
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = platform::NextChar(text, at);
        if (c < 0x10000) {
            append(c);
        } else {
            append(0xD800 + ((c - 0x10000) >> 10));
            append(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

}  // namespace

FileText TextOfFile(std::string bytes, platform::CodePage& codePage) {
    const std::string_view b(bytes);
    if (b.substr(0, kUtf16Mark.size()) == kUtf16Mark)
        return {Utf8FromUtf16(b.substr(kUtf16Mark.size())), FileEncoding::Utf16};
    if (b.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        return {std::move(bytes.erase(0, kUtf8Mark.size())), FileEncoding::Utf8};
    // ASCII reads the same in every code page: the common file costs one look at its bytes.
    if (platform::IsAscii(b)) return {std::move(bytes), FileEncoding::Ansi};
    return {codePage.Utf8FromAnsi(b), FileEncoding::Ansi};
}

std::string FileBytesOf(const std::string& text, FileEncoding& encoding) {
    if (encoding == FileEncoding::Utf16) return Utf16FromUtf8(text);
    if (encoding == FileEncoding::Ansi && platform::IsAscii(text)) return text;
    encoding = FileEncoding::Utf8;
    return std::string(kUtf8Mark) + text;
}

}  // namespace quopa
