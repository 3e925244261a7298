#pragma once
// The system's ANSI code page, through its conversion functions.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace platform {

class Win32CodePage : public CodePage {
  public:
    std::string Utf8FromAnsi(std::string_view ansi) override;
    // UTF-8 or UTF-16 text in the ANSI code page, for what still takes the A functions; a
    // character the page cannot hold becomes the page's default character.
    std::string AnsiFromUtf8(std::string_view utf8);
    std::string AnsiFromUtf16(std::u16string_view utf16);
};

// Text of a code page (CP_UTF8, CP_ACP) as UTF-16, and back; empty when it cannot be turned.
std::wstring WideFrom(UINT codePage, std::string_view bytes);
std::string BytesFrom(UINT codePage, std::wstring_view wide, DWORD flags = 0);

// The program keeps its text in UTF-8 and speaks UTF-16 to the system's W functions.
inline std::wstring Wide(std::string_view utf8) {
    return WideFrom(CP_UTF8, utf8);
}
inline std::string Utf8(std::wstring_view wide) {
    return BytesFrom(CP_UTF8, wide);
}

}  // namespace platform
