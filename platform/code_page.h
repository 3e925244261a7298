#pragma once
// The PC's ANSI code page: the one in which a data file without a byte-order mark was
// written.
#include <string>
#include <string_view>

namespace platform {

class CodePage {
  public:
    virtual ~CodePage() = default;
    // Text of the ANSI code page as UTF-8, the program's own.
    virtual std::string Utf8FromAnsi(std::string_view ansi) = 0;
};

}  // namespace platform
