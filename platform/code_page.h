#pragma once
// The PC's ANSI code page: the one in which a data file without a byte-order mark was
// written, and the one the system's A functions speak.
#include <string>
#include <string_view>

namespace platform {

class CodePage {
  public:
    virtual ~CodePage() = default;
    // Text of the ANSI code page as UTF-8, the program's own.
    virtual std::string Utf8FromAnsi(std::string_view ansi) = 0;
    // UTF-8 text in the ANSI code page; a character the page cannot hold becomes the page's
    // default character, and so does a byte that is no UTF-8.
    virtual std::string AnsiFromUtf8(std::string_view utf8) = 0;
    // The same for UTF-16; half of a surrogate pair alone becomes the default character.
    virtual std::string AnsiFromUtf16(std::u16string_view utf16) = 0;
};

}  // namespace platform
