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
};

}  // namespace platform
