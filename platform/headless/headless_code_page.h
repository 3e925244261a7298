#pragma once
// Windows-1252, the code page of most western systems, standing in for the system's.
#include "platform/code_page.h"

namespace platform {

class HeadlessCodePage : public CodePage {
  public:
    std::string AnsiFromUtf8(std::string_view utf8) override;
    std::string AnsiFromUtf16(std::u16string_view utf16) override;
};

}  // namespace platform
