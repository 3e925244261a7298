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
//
// Why W calls rather than a manifest that makes UTF-8 the process's code page: the manifest
// route exists only from Windows 10 version 1903, and the release runs on Windows 7 to 11; on
// an older system the A calls would go back to the ANSI code page, and every UTF-8 name would
// come out garbled, worse than today. The W functions carry Unicode on every one of those
// systems, and their UTF-16 is what the system keeps anyway, so nothing is converted twice.
// The conversions stay in the platform and ui peers (win32/): logic above them sees UTF-8
// only. UNICODE is defined for the whole build, so a generic name (SendMessage, TVITEM,
// WNDCLASSEX) is the W one, and a window's procedure, its class and its subclass are all W:
// a W window subclassed by an A procedure garbles its text.
inline std::wstring Wide(std::string_view utf8) {
    return WideFrom(CP_UTF8, utf8);
}
inline std::string Utf8(std::wstring_view wide) {
    return BytesFrom(CP_UTF8, wide);
}

}  // namespace platform
