#pragma once
// The program's ANSI code page, in which every text it shows and stores is held.
#include <string>
#include <string_view>

namespace platform {

class CodePage {
  public:
    virtual ~CodePage() = default;
    // UTF-8 text in the ANSI code page; a character the page cannot hold becomes the page's
    // default character, and so does a byte that is no UTF-8.
    virtual std::string AnsiFromUtf8(std::string_view utf8) = 0;
    // The same for UTF-16; half of a surrogate pair alone becomes the default character.
    virtual std::string AnsiFromUtf16(std::u16string_view utf16) = 0;
};

}  // namespace platform
