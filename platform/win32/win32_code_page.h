#pragma once
// The system's ANSI code page, through its conversion functions.
#include "platform/code_page.h"

namespace platform {

class Win32CodePage : public CodePage {
  public:
    std::string AnsiFromUtf8(std::string_view utf8) override;
};

}  // namespace platform
