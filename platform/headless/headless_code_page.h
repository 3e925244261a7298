#pragma once
// Windows-1252, the code page of most western systems, standing in for the system's; a
// test may pick Windows-1251, the Cyrillic one, instead.
#include "platform/code_page.h"

namespace platform {

class HeadlessCodePage : public CodePage {
  public:
    std::string Utf8FromAnsi(std::string_view ansi) override;

    int page = 1252;  // or 1251
};

}  // namespace platform
