#include "platform/win32/win32_code_page.h"

namespace platform {

std::wstring WideFrom(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (wide <= 0) return {};
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), wide);
    return out;
}

std::string BytesFrom(UINT codePage, std::wstring_view wide, DWORD flags) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string Win32CodePage::Utf8FromAnsi(std::string_view ansi) {
    return Utf8(WideFrom(CP_ACP, ansi));
}

std::string Win32CodePage::AnsiFromUtf8(std::string_view utf8) {
    // Without MB_ERR_INVALID_CHARS a broken sequence becomes U+FFFD, which the page then
    // shows as its default character. A near letter ("a" for "\u0101") would name another
    // thing: the default character it is.
    return BytesFrom(CP_ACP, WideFrom(CP_UTF8, utf8), WC_NO_BEST_FIT_CHARS);
}

std::string Win32CodePage::AnsiFromUtf16(std::u16string_view utf16) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide text");
    const std::wstring_view wide(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
    return BytesFrom(CP_ACP, wide, WC_NO_BEST_FIT_CHARS);
}

}  // namespace platform
