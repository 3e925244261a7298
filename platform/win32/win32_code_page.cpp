#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string Win32CodePage::AnsiFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    // Without MB_ERR_INVALID_CHARS a broken sequence becomes U+FFFD, which the page then
    // shows as its default character.
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (wide <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), wide);
    // A near letter ("a" for "\u0101") would name another thing: the default character it is.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int bytes =
        WideCharToMultiByte(CP_ACP, flags, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace platform
