#pragma once
// File services on Windows, through the ANSI functions of kernel32.
#include <string>

#include "platform/files.h"

namespace platform {

class Win32Files : public Files {
  public:
    FileInfo Query(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReplaceAtomically(const std::string& path, const std::string& bytes) override;
    bool CreateEmpty(const std::string& path) override;
    bool Delete(const std::string& path) override;
};

}  // namespace platform
